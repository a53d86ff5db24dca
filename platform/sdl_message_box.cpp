// Message boxes through SDL, with the same line on standard error. Without a display the
// box cannot be shown and only the line appears.
//
// SDL draws a box in a forked copy of the calling process. Forked from the running game,
// with the graphics driver's and the sound's threads about, that copy has been seen to crash
// in Xlib's locale set-up, and the box never came. So the box is shown by a fresh copy of
// the program, started for just that (posix_spawn, safe beside those threads) and waited
// for; only when no copy can be started is the box shown from this process.
#include <SDL.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/message_box.h"

extern char** environ;

namespace {

constexpr char kServeArgument[] = "--show-message-box";

// 0 when the box was shown and closed, else SDL's refusal is said on standard error.
int ShowHere(const char* title8, const char* text8) {
    if (SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title8, text8, nullptr) == 0)
        return 0;
    std::fprintf(stderr, "Tessaroid: the message box could not be shown: %s\n", SDL_GetError());
    return 1;
}

// -1 when no copy could be started; else the copy's status (0: shown).
int ShowInFreshCopy(char* title8, char* text8) {
    char name[] = "tessaroid";
    char serve[sizeof kServeArgument];
    std::memcpy(serve, kServeArgument, sizeof kServeArgument);
    char* arguments[] = {name, serve, title8, text8, nullptr};
    pid_t copy = 0;
    if (posix_spawn(&copy, "/proc/self/exe", nullptr, nullptr, arguments, environ) != 0)
        return -1;
    int status = 0;
    while (waitpid(copy, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 0)
        return 0;
    // Said, so that a box that never came can be told from one that was closed.
    if (WIFEXITED(status))
        std::fprintf(stderr, "Tessaroid: the message box's copy ended with status %d.\n",
                     WEXITSTATUS(status));
    else
        std::fprintf(stderr, "Tessaroid: the message box's copy ended by signal %d.\n",
                     WIFSIGNALED(status) ? WTERMSIG(status) : 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}

}  // namespace

void ShowMessage(const char16_t* title, const char16_t* text) {
    char title8[kMessageBytes];
    char text8[kMessageBytes];
    PrintMessageLine(title, text, title8, text8);
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    if ((display == nullptr || display[0] == 0) && (wayland == nullptr || wayland[0] == 0))
        return;
    const int shown = ShowInFreshCopy(title8, text8);
    if (shown == 0)
        return;
    // The copy could not be started, or it met a display that refused it for a moment: one
    // try from here. The line above already told the player; a box that still could not be
    // shown is said too, so that its absence is not a mystery.
    if (shown > 0)
        SDL_Delay(200);
    (void)ShowHere(title8, text8);
}

int ServeMessageBox(int argc, char** argv) {
    if (argc != 4 || std::strcmp(argv[1], kServeArgument) != 0)
        return -1;
    const int status = ShowHere(argv[2], argv[3]);
    SDL_Quit();
    return status;
}
