// The OpenGL backend's own objects, private to render/gl_*.cpp and the render tests. The
// frame is drawn at the size the device was created at into a frame buffer of its own, which
// keeps the picture from one frame to the next, and copied onto the window when presented
// (stretched when the window has another size, as a swap chain that is never resized would
// be). Only the areas where the list changed are drawn again, and a frame that changed
// nothing is not presented at all unless the swap paces the frames.
#pragma once

#include <SDL.h>
#include <epoxy/gl.h>

#include <cstdint>

#include "render/changed_areas.h"
#include "render/draw_command.h"
#include "render/frame_planner.h"
#include "render/render.h"
#include "render/sheet_coverage.h"
#include "render/sprite_batch_rules.h"

inline constexpr int32_t kBlendStates = 6;
// Each quad is a strip of four indices.
inline constexpr int32_t kIndicesPerQuad = 4;
inline constexpr int64_t kVertexBufferBytes = int64_t{kDrawListVertices} * sizeof(SpriteVertex);

// The attempts at a context, in order; the one obtained is recorded.
enum : int32_t {
    kContextRobust = 0,  // reports resets, so a lost device can be noticed
    kContextPlain = 1,
};

struct BlendState {
    GLenum source;
    GLenum destination;
};

struct RenderDevice {
    SDL_GLContext context = nullptr;
    int32_t contextType = kContextRobust;
    bool reportsResets = false;
    int32_t width = 0;  // the frame's size: the client size at creation
    int32_t height = 0;
    GLuint program = 0;
    GLuint vertexShader = 0;
    GLuint pixelShader = 0;
    // The same program built for pictures whose sampled texels are all opaque, where nothing
    // is left out: a software rasteriser shades faster without the test. 0 when it would not
    // build; then the program above draws everything.
    GLuint opaqueProgram = 0;
    GLuint opaquePixelShader = 0;
    GLuint vertexArray = 0;
    GLuint vertexBuffer = 0;
    GLuint indexBuffer = 0;
    GLuint sampler = 0;
    GLuint frameBuffer = 0;
    GLuint frameColor = 0;  // the kept frame's picture, a texture
    GLuint presentProgram = 0;
    GLint presentScale = -1;
    GLuint presentSamplers[2] = {};  // point, then filtered
    GLuint noPicture = 0;            // 1 x 1, (0, 0, 0, 1): what an empty slot samples as
    GLuint textures[kPictureSlots] = {};
    BlendState blendStates[kBlendStates] = {};
    int32_t swapInterval = -1;  // what was last asked of the driver
    bool swapPaces = false;     // the driver took an interval of 1: every frame is presented

    // The list last drawn into the frame buffer, and the sheets' transparent texels. Both live
    // as long as the process; the device forgets them when it is made again.
    FrameHistory* history = nullptr;
    SheetCoverage* sheets = nullptr;
    // The window needs the picture again (shown, uncovered, resized) though it did not change.
    bool presentRequired = true;
    // The last frame was drawn straight onto the window: the frame buffer is behind.
    bool keptInWindow = false;
    int32_t presentedWidth = 0;  // the window's drawable size at the last present
    int32_t presentedHeight = 0;

    // Drawing choices, on by default; the benchmarks and tests turn them off to compare.
    PlanOptions options;
    uint32_t drawCalls = 0;  // of the last frame
    bool presented = false;  // by the last frame

    // Test seams: a nonzero removal reason the device reports as if it had been lost, until
    // it is released; and, when set, where each present first copies the frame (RGBA,
    // bottom row first, width x height pixels; a frame not presented leaves it as it was).
    int32_t forcedLoss = 0;
    uint8_t* capture = nullptr;
};

// Pipeline pieces, created in CreateDevice's order. Each returns kDeviceCreated or a failure
// below 0.
[[nodiscard]] int32_t CreateFrameTarget(RenderDevice& d);
void CreateBlendStates(RenderDevice& d);
void BindBlendState(const RenderDevice& d, int32_t state, const BlendFactor& factor);
[[nodiscard]] int32_t CreateShaders(RenderDevice& d, const char16_t* programFolder);
// A compiled shader stage, or 0 (its log then goes to standard error under name).
[[nodiscard]] GLuint CompileShader(GLenum stage, const char* source, const char* name);
[[nodiscard]] int32_t CreateBuffers(RenderDevice& d, const SpriteVertex* vertices);
[[nodiscard]] int32_t CreateSampler(RenderDevice& d);
[[nodiscard]] int32_t CreateNoPicture(RenderDevice& d);
[[nodiscard]] int32_t CreatePresenter(RenderDevice& d);
void ReleasePipeline(RenderDevice& d);
void ReleasePresenter(RenderDevice& d);
// The kept frame onto the window's back buffer, stretched to its size.
void DrawFrameOntoWindow(const RenderDevice& d, int32_t windowWidth, int32_t windowHeight);
void ReleasePictureTexture(RenderDevice& d, int32_t slot);

// The removal reason in the game's codes: 0 while the device is healthy.
[[nodiscard]] int32_t DeviceRemovedReason(const RenderDevice& d);

// Reads the frame drawn so far into target, the frame buffer or the window's back buffer (0)
// (bottom row first, RGBA bytes).
void ReadFramePixels(const RenderDevice& d, GLuint target, uint8_t* rgba);
