#include "render/window_presence.h"

namespace {

bool* theFlag = nullptr;
CreationSize theFirstSize;  // the client size when a device was first created

int WatchWindow(void*, SDL_Event* event) {
    if (theFlag == nullptr || event->type != SDL_WINDOWEVENT)
        return 1;
    switch (event->window.event) {
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_EXPOSED:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED:
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            *theFlag = true;
            break;
        default:
            break;
    }
    return 1;
}

}  // namespace

void ApplyScreenMode(SDL_Window* window, int32_t fullScreen) {
    const bool shown = (SDL_GetWindowFlags(window) & SDL_WINDOW_FULLSCREEN) != 0;
    if (shown == (fullScreen == 1))
        return;
    SDL_SetWindowFullscreen(window, fullScreen == 1 ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

CreationSize StartDeviceOnWindow(SDL_Window* window, int32_t fullScreen) {
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    const CreationSize size = ChooseCreationSize(theFirstSize, width, height, fullScreen);
    ApplyScreenMode(window, fullScreen);
    return size;
}

void WatchWindowPresence(bool* presentRequired) {
    SDL_DelEventWatch(WatchWindow, nullptr);
    theFlag = presentRequired;
    if (presentRequired != nullptr)
        SDL_AddEventWatch(WatchWindow, nullptr);
}
