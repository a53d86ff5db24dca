// The sprite batch on OpenGL: each frame the list is compared with the one last drawn, and
// only the areas where they differ are drawn again into the kept frame, each cleared and then
// drawn in submission order with every command reaching into it, each with the blend state its
// colour and blend mode choose. What is drawn where, and how, is the frame planner's
// (render/frame_planner.h); this carries its plan out. The frame is presented when it changed
// (or the window needs it). Whatever is skipped, the presented picture is the one a full
// redraw of the list would give.
#include "game/system.h"
#include "render/backends.h"
#include "render/frame_planner.h"
#include "render/gl_local.h"
#include "render/hidden_commands.h"
#include "render/render.h"

namespace {

FramePlan thePlan;    // main thread: worked out afresh for every frame that draws
FrameDraws theDraws;  // main thread, refilled by every frame that draws

// The quads this frame draws; the rest of the buffer is never drawn from.
void UploadVertices(const RenderDevice& d, const SpriteVertex* vertices, uint32_t count) {
    glBindBuffer(GL_ARRAY_BUFFER, d.vertexBuffer);
    if (count > 0)
        glBufferSubData(GL_ARRAY_BUFFER, 0, GLsizeiptr{4} * count * sizeof(SpriteVertex), vertices);
}

// What is bound, so that an unchanged state or picture is not bound again.
struct Bound {
    int32_t kind = kNoBlendKind;
    uint32_t color = 0;
    GLuint texture = 0;
    bool blending = true;
    GLuint program = 0;
};

void BindFor(const RenderDevice& d, const DrawKey& key, DrawManner manner, Bound& bound) {
    const GLuint program = manner.opaque ? d.opaqueProgram : d.program;
    if (program != bound.program) {
        glUseProgram(program);
        bound.program = program;
    }
    const bool plainly = manner.plainly;
    if (plainly != !bound.blending) {
        if (plainly)
            glDisable(GL_BLEND);
        else
            glEnable(GL_BLEND);
        bound.blending = !plainly;
    }
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

// Quads first..first+quads-1 of the frame's vertices in one call, each its own four-vertex
// strip: the very triangles each quad gives when drawn alone.
GLsizei theCounts[kDrawListSlots];
const void* theOffsets[kDrawListSlots];

void DrawQuads(uint32_t first, uint32_t quads) {
    for (uint32_t k = 0; k < quads; ++k) {
        theCounts[k] = kIndicesPerQuad;
        theOffsets[k] = reinterpret_cast<const void*>(uintptr_t{first + k} * kIndicesPerQuad *
                                                      sizeof(uint32_t));
    }
    glMultiDrawElements(GL_TRIANGLE_STRIP, theCounts, GL_UNSIGNED_INT, theOffsets,
                        static_cast<GLsizei>(quads));
}

void DrawArea(RenderDevice& d, const FrameDraws& f, int32_t a, const PixelRect& area,
              Bound& bound) {
    // A scissored clear costs a software rasteriser a drawn quad; the whole frame needs none.
    if (area.Area() == int64_t{d.width} * d.height) {
        glDisable(GL_SCISSOR_TEST);
    } else {
        glEnable(GL_SCISSOR_TEST);
        glScissor(area.x0, area.y0, area.x1 - area.x0, area.y1 - area.y0);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    for (uint32_t r = f.areaRuns[a]; r < f.areaRuns[a + 1]; ++r) {
        const DrawRun& run = f.runs[r];
        BindFor(d, run.key, run.manner, bound);
        DrawQuads(run.firstQuad, run.quads);
        ++d.drawCalls;
    }
}

// The changed areas drawn again into target: the frame buffer, or the window itself.
void DrawChanges(RenderDevice& d, const CDx_Gr& g, ChangedAreas& changed, GLuint target) {
    PlanFrame(g, *d.sheets, d.width, d.height, d.options.skipInvisible, thePlan);
    PlanDraws(d.options, d.opaqueProgram != 0, g, thePlan, changed, theDraws);
    glBindVertexArray(d.vertexArray);
    UploadVertices(d, theDraws.vertices, theDraws.quadCount);
    glBindFramebuffer(GL_FRAMEBUFFER, target);
    glViewport(0, 0, d.width, d.height);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glActiveTexture(GL_TEXTURE0);
    Bound bound;
    for (int32_t a = 0; a < changed.count; ++a) DrawArea(d, theDraws, a, changed.areas[a], bound);
    glDisable(GL_SCISSOR_TEST);
}

bool WholeFrame(const ChangedAreas& changed, const RenderDevice& d) {
    return changed.count == 1 && changed.areas[0].Area() == int64_t{d.width} * d.height;
}

// The removal or reset a lost device reports, as a present result in the game's codes.
int32_t DeviceResult(const RenderDevice& d) {
    const int32_t reason = DeviceRemovedReason(d);
    if (reason == 0)
        return 0;
    return reason == kDeviceReset ? kDeviceReset : kDeviceRemoved;
}

void AskSwapInterval(RenderDevice& d, int32_t vsync) {
    const int32_t interval = vsync != 0 ? 1 : 0;
    if (interval == d.swapInterval)
        return;
    // Refused by some drivers (then the timers alone pace the frames).
    d.swapPaces = SDL_GL_SetSwapInterval(interval) == 0 && interval == 1;
    d.swapInterval = interval;
}

void Swap(RenderDevice& d, SDL_Window* window, int drawableWidth, int drawableHeight) {
    SDL_GL_SwapWindow(window);
    d.presentRequired = false;
    d.presentedWidth = drawableWidth;
    d.presentedHeight = drawableHeight;
}

}  // namespace

// A frame that changed throughout is drawn straight onto a window of its size, saving the
// copy; the frame buffer is then behind, and the next frame that changes less draws the whole
// frame into it again. Otherwise the changed areas are drawn into the frame buffer and the
// kept frame is copied onto the window. An unchanged frame is not presented at all unless the
// window needs it or the swap paces the frames.
int32_t RenderGlFrame(CDx_Gr& g) {
    if (g.device == nullptr || g.device->program == 0)
        return 0;
    RenderDevice& d = *g.device;
    auto* sdlWindow = static_cast<SDL_Window*>(g.window);
    if (d.options.redrawEveryFrame)
        d.history->valid = false;
    ChangedAreas changed;
    FindChangedAreas(g, d.width, d.height, *d.history, changed);
    int drawableWidth = 0;
    int drawableHeight = 0;
    SDL_GL_GetDrawableSize(sdlWindow, &drawableWidth, &drawableHeight);
    AskSwapInterval(d, g.settings->vsync);
    d.drawCalls = 0;
    d.presented = changed.count > 0 || d.presentRequired || d.swapPaces ||
                  drawableWidth != d.presentedWidth || drawableHeight != d.presentedHeight;
    if (d.presented) {
        const bool fits = drawableWidth == d.width && drawableHeight == d.height;
        const bool changedThroughout = WholeFrame(changed, d);
        if (d.keptInWindow) {  // the frame buffer is behind: all of it is drawn again
            changed.count = 0;
            changed.Add(PixelRect{0, 0, d.width, d.height});
        }
        d.keptInWindow = fits && changedThroughout;
        const GLuint target = d.keptInWindow ? 0 : d.frameBuffer;
        if (changed.count > 0)
            DrawChanges(d, g, changed, target);
        if (d.capture != nullptr)
            ReadFramePixels(d, target, d.capture);
        if (!d.keptInWindow)
            DrawFrameOntoWindow(d, drawableWidth, drawableHeight);
        glEnable(GL_BLEND);
        Swap(d, sdlWindow, drawableWidth, drawableHeight);
    }
    const int32_t result = DeviceResult(d);
    if (result == kDeviceRemoved || result == kDeviceReset)
        g.settings->deviceRebuildRequest = 1;
    return result;
}
