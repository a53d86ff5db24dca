// The sprite batch: each frame the whole vertex array is uploaded, the frame cleared and the
// draw list drawn in submission order, each command with the blend state its colour and
// blend mode choose, then the frame is presented on the window.
#include <cstring>

#include "game/system.h"
#include "render/gl_local.h"
#include "render/render.h"

namespace {

// Write-discard: the old contents may still be in use by the previous frame's draws.
void UploadVertices(const RenderDevice& d, const SpriteVertex* vertices) {
    glBindBuffer(GL_ARRAY_BUFFER, d.vertexBuffer);
    void* mapped = glMapBufferRange(GL_ARRAY_BUFFER, 0, kVertexBufferBytes,
                                    GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_BUFFER_BIT);
    if (mapped == nullptr)
        return;
    std::memcpy(mapped, vertices, kVertexBufferBytes);
    glUnmapBuffer(GL_ARRAY_BUFFER);
}

// What is bound, so that an unchanged state or picture is not bound again.
struct Bound {
    int32_t kind = -1;
    uint32_t color = 0;
    GLuint texture = 0;
};

void BindFor(const RenderDevice& d, const DrawKey& key, Bound& bound) {
    if (key.kind != bound.kind || key.color != bound.color) {
        BindBlendState(d, kBlendStateOfKind[key.kind], BlendFactorOf(key.color));
        bound.kind = key.kind;
        bound.color = key.color;
    }
    const GLuint texture = key.picture == kNoPicture || d.textures[key.picture] == 0
                               ? d.noPicture
                               : d.textures[key.picture];
    if (texture != bound.texture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        bound.texture = texture;
    }
}

// Quads first..first+quads-1 as one strip call, restarting between quads.
void DrawQuads(RenderDevice& d, uint32_t first, uint32_t quads) {
    const uintptr_t offset = uintptr_t{first} * kIndicesPerQuad * sizeof(uint32_t);
    glDrawElements(GL_TRIANGLE_STRIP, static_cast<GLsizei>(quads * kIndicesPerQuad - 1),
                   GL_UNSIGNED_INT, reinterpret_cast<const void*>(offset));
    ++d.drawCalls;
}

// The merging rule: a command joins the run before it when it needs the same state, factor
// and picture. A command that cannot change a visible pixel starts no run of its own.
void DrawList(RenderDevice& d, const CDx_Gr& g) {
    Bound bound;
    d.drawCalls = 0;
    uint32_t i = 0;
    while (i < g.count) {
        const DrawKey key = DrawKeyOf(g.blendModes[i], g.colors[i], g.sheets[i]);
        if (d.skipInvisible && (MixesNothing(key) || OffScreen(&g.vertices[4 * i]))) {
            ++i;
            continue;
        }
        uint32_t run = 1;
        while (d.mergeDraws && i + run < g.count &&
               SharesDraw(key,
                          DrawKeyOf(g.blendModes[i + run], g.colors[i + run], g.sheets[i + run]))) {
            ++run;
        }
        BindFor(d, key, bound);
        DrawQuads(d, i, run);
        i += run;
    }
}

// The frame onto the window (stretched when it was drawn aside), then swapped. The result is
// the present result in the game's codes: 0, or the removal or reset a lost device reports.
int32_t Present(RenderDevice& d, SDL_Window* window, int32_t vsync, int drawableWidth,
                int drawableHeight) {
    if (d.capture != nullptr)
        ReadFramePixels(d, d.capture);
    if (d.drawTarget != 0) {
        glBindFramebuffer(GL_READ_FRAMEBUFFER, d.drawTarget);
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glBlitFramebuffer(0, 0, d.width, d.height, 0, 0, drawableWidth, drawableHeight,
                          GL_COLOR_BUFFER_BIT, GL_LINEAR);
    }
    const int32_t interval = vsync != 0 ? 1 : 0;
    if (interval != d.swapInterval) {
        (void)SDL_GL_SetSwapInterval(interval);  // refused by some drivers: the timers pace
        d.swapInterval = interval;
    }
    SDL_GL_SwapWindow(window);
    const int32_t reason = DeviceRemovedReason(d);
    if (reason == 0)
        return 0;
    return reason == kDeviceReset ? kDeviceReset : kDeviceRemoved;
}

}  // namespace

int32_t CDx_Gr::RenderFrame() {
    if (device == nullptr || device->program == 0)
        return 0;
    RenderDevice& d = *device;
    auto* sdlWindow = static_cast<SDL_Window*>(window);
    UploadVertices(d, vertices);
    // A window of the frame's own size is drawn into directly: no copy of the frame.
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(sdlWindow, &drawableWidth, &drawableHeight);
    const bool direct = drawableWidth == d.width && drawableHeight == d.height;
    d.drawTarget = direct ? 0 : d.frameBuffer;
    glBindFramebuffer(GL_FRAMEBUFFER, d.drawTarget);
    glViewport(0, 0, d.width, d.height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glUseProgram(d.program);
    glBindVertexArray(d.vertexArray);
    glActiveTexture(GL_TEXTURE0);
    DrawList(d, *this);
    const int32_t result = Present(d, sdlWindow, settings->vsync, drawableWidth, drawableHeight);
    if (result == kDeviceRemoved || result == kDeviceReset)
        settings->deviceRebuildRequest = 1;
    return result;
}
