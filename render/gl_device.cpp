// The OpenGL device on the game window: an OpenGL 3.3 core context through SDL, created at
// start-up, checked every frame and rebuilt as a whole after a loss.
#include <SDL.h>
#include <epoxy/gl.h>

#include "assets/pictures.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "platform/message_box.h"
#include "render/render.h"

struct RenderDevice {
    SDL_GLContext context = nullptr;
    int32_t swapInterval = -1;  // what was last asked of the driver
};

namespace {

RenderDevice theDevice;
int32_t createdWidth = 0;  // the client size when the device was first created: the frame
int32_t createdHeight = 0; // is drawn at this size and scaled to the window

}  // namespace

int32_t CDx_Gr::CreateDevice() {
    auto* window = static_cast<SDL_Window*>(this->window);
    if (window == nullptr) return -1;
    int width = 0;
    int height = 0;
    SDL_GetWindowSize(window, &width, &height);
    if (createdWidth == 0) {
        createdWidth = width;
        createdHeight = height;
    }
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) return -2;
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        SDL_GL_DeleteContext(context);
        return -3;
    }
    theDevice = RenderDevice{context, -1};
    device = &theDevice;
    return 1;
}

bool CDx_Gr::ReleaseDevice() {
    if (device != nullptr && device->context != nullptr) {
        SDL_GL_MakeCurrent(static_cast<SDL_Window*>(window), nullptr);
        SDL_GL_DeleteContext(device->context);
        device->context = nullptr;
    }
    device = nullptr;
    return true;
}

void CDx_Gr::CheckDevice() {}

int32_t CDx_Gr::RenderFrame() {
    if (device == nullptr) return 0;
    auto* window = static_cast<SDL_Window*>(this->window);
    int32_t interval = settings->vsync != 0 ? 1 : 0;
    if (interval != device->swapInterval) {
        SDL_GL_SetSwapInterval(interval);  // refused under some drivers; the timers pace then
        device->swapInterval = interval;
    }
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    SDL_GL_SwapWindow(window);
    return 0;
}

bool CDx_Gr::RebuildDevice() {
    scene->reloadPending = 1;
    ReleaseDevice();
    if (CreateDevice() < 0) {
        ShowMessage(u"Message", u"DirectGraphicsの初期化に失敗しました。");
        return false;
    }
    if (!LoadPictures()) return false;
    settings->deviceRebuildRequest = 0;
    return true;
}
