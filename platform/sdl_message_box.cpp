// Message boxes through SDL, with the same line on standard error. Without a display the
// box cannot be shown and only the line appears.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kMessageBytes];
    char text8[kMessageBytes];
    PrintMessageLine(title, text, title8, text8);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || display[0] == 0) && (wayland == nullptr || wayland[0] == 0))
        return;
    // The line above already told the player; a box that could not be shown is said too, so
    // that its absence is not a mystery.
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title8, text8, nullptr) != 0)
        std::fprintf(stderr, "Tessaroid: the message box could not be shown: %s\n", SDL_GetError());
}
