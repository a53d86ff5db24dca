// The OpenGL device on the game window: an OpenGL 3.3 core context through SDL, created at
// start-up, checked every frame and rebuilt as a whole after a loss.
#include <SDL.h>
#include <epoxy/gl.h>
#include <malloc.h>

#include "game/system.h"
#include "render/backends.h"
#include "render/device_loss.h"
#include "render/gl_local.h"
#include "render/render.h"
#include "render/window_presence.h"

namespace {

RenderDevice theDevice;
// The kept list and the sheets' texels outlive every device; a new device forgets them.
FrameHistory theHistory;
SheetCoverage theSheets;

// Asks for a context that reports resets first, then for a plain one.
SDL_GLContext CreateContext(SDL_Window* window, int32_t& obtained) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, SDL_GL_CONTEXT_ROBUST_ACCESS_FLAG);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_LOSE_CONTEXT);
    obtained = kContextRobust;
    SDL_GLContext context = SDL_GL_CreateContext(window);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_RESET_NOTIFICATION, SDL_GL_CONTEXT_RESET_NO_NOTIFICATION);
    if (context != nullptr)
        return context;
    obtained = kContextPlain;
    return SDL_GL_CreateContext(window);
}

bool ReportsResets() {
    if (epoxy_gl_version() >= 45)
        return true;
    return epoxy_has_gl_extension("GL_ARB_robustness") ||
           epoxy_has_gl_extension("GL_KHR_robustness");
}

// The pipeline after the context: each step's failure is the result.
int32_t CreatePipeline(RenderDevice& d, const System& system, const SpriteVertex* vertices) {
    int32_t r = CreateFrameTarget(d);
    if (r < 0)
        return r;
    CreateBlendStates(d);
    // No depth buffer: the depth test has nothing to test. Depth clipping and culling off.
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_CULL_FACE);
    glDisable(GL_SCISSOR_TEST);
    glEnable(GL_DEPTH_CLAMP);
    r = CreateShaders(d, system.programFolder);
    if (r < 0)
        return r;
    r = CreateBuffers(d, vertices);
    if (r < 0)
        return r;
    r = CreateSampler(d);
    if (r < 0)
        return r;
    r = CreateNoPicture(d);
    if (r < 0)
        return r;
    return CreatePresenter(d);
}

// A software rasteriser allocates and frees large blocks for every frame it draws. Handing
// them back to the system each time and faulting them in again cost several times the drawing
// itself (the full list: 41 ms a frame against 9 ms), so freed memory is kept for reuse.
void KeepFreedMemory() {
    static bool done = false;
    if (done)
        return;
    done = true;
    (void)mallopt(M_TRIM_THRESHOLD, 128 << 20);
    (void)mallopt(M_MMAP_THRESHOLD, 32 << 20);
    (void)mallopt(M_TOP_PAD, 16 << 20);
}

void StartFromNothing(RenderDevice& d) {
    KeepFreedMemory();
    theHistory.valid = false;
    for (int32_t slot = 0; slot < kPictureSlots; ++slot) ForgetSheet(theSheets, slot);
    d.history = &theHistory;
    d.sheets = &theSheets;
    WatchWindowPresence(&d.presentRequired);
}

}  // namespace

int32_t CreateGlDevice(CDx_Gr& g) {
    auto* sdlWindow = static_cast<SDL_Window*>(g.window);
    if (sdlWindow == nullptr)
        return kDeviceNoWindow;
    const CreationSize size = StartDeviceOnWindow(sdlWindow, g.settings->fullScreen);
    theDevice = RenderDevice{};
    theDevice.width = size.width;
    theDevice.height = size.height;
    StartFromNothing(theDevice);
    theDevice.context = CreateContext(sdlWindow, theDevice.contextType);
    if (theDevice.context == nullptr)
        return kDeviceNoContext;
    g.device = &theDevice;
    if (SDL_GL_MakeCurrent(sdlWindow, theDevice.context) != 0)
        return kDeviceContextNotCurrent;
    theDevice.reportsResets = theDevice.contextType == kContextRobust && ReportsResets();
    const int32_t r = CreatePipeline(theDevice, *g.settings, g.vertices);
    return r < 0 ? r : kDeviceCreated;
}

void ReleaseGlDevice(CDx_Gr& g) {
    auto* sdlWindow = static_cast<SDL_Window*>(g.window);
    if (sdlWindow != nullptr && g.device != nullptr)
        ApplyScreenMode(sdlWindow, 0);
    if (g.device != nullptr && g.device->context != nullptr) {
        SDL_GL_MakeCurrent(sdlWindow, g.device->context);
        ReleasePipeline(*g.device);
        SDL_GL_MakeCurrent(sdlWindow, nullptr);
        SDL_GL_DeleteContext(g.device->context);
    }
    WatchWindowPresence(nullptr);
    theDevice = RenderDevice{};
    g.device = nullptr;
}

int32_t DeviceRemovedReason(const RenderDevice& d) {
    if (d.forcedLoss != 0)
        return d.forcedLoss;
    if (!d.reportsResets)
        return 0;
    switch (glGetGraphicsResetStatus()) {
        case GL_NO_ERROR:
            return 0;
        case GL_GUILTY_CONTEXT_RESET:
            return kDeviceHung;
        case GL_INNOCENT_CONTEXT_RESET:
            return kDeviceReset;
        default:
            return kDeviceRemoved;
    }
}

int32_t GlDeviceLossReason(const CDx_Gr& graphics) {
    return DeviceRemovedReason(*graphics.device);
}

void ReadFramePixels(const RenderDevice& d, GLuint target, uint8_t* rgba) {
    glBindFramebuffer(GL_READ_FRAMEBUFFER, target);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, d.width, d.height, GL_RGBA, GL_UNSIGNED_BYTE, rgba);
}
