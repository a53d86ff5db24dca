// Message boxes through SDL, with the same line on standard error. Without a display the
// box cannot be shown and only the line appears.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>

#include "platform/message_box.h"
#include "platform/path16.h"

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kPathUnits * 3 + 1];
    char text8[kPathUnits * 3 + 1];
    TextToUtf8(title8, sizeof title8, title);
    TextToUtf8(text8, sizeof text8, text);
    std::fprintf(stderr, "%s: %s\n", title8, text8);
    std::fflush(stderr);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || display[0] == 0) && (wayland == nullptr || wayland[0] == 0)) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title8, text8, nullptr);
}
