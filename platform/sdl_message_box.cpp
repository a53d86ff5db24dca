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
    // SDL draws the box in a child process with its own display connection, which a busy
    // display can refuse for a moment; one more try after a short pause costs nothing when the
    // first one works. The line above already told the player; a box that still could not be
    // shown is said too, so that its absence is not a mystery.
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title8, text8, nullptr) == 0)
            return;
        std::fprintf(stderr, "Tessaroid: the message box could not be shown: %s\n", SDL_GetError());
        SDL_Delay(200);
    }
}
