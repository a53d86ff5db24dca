// The software backend's own objects, private to render/soft_*.cpp and the render tests. The
// frame is drawn in memory at the size the device was created at and kept from one frame to
// the next: on the window's own surface when that has the frame's size, else in the device's
// memory and stretched onto the surface. Only the areas where the list changed are drawn
// again, and only their rectangles are presented.
#pragma once

#include <cmath>
#include <cstdint>

#include "render/changed_areas.h"
#include "render/frame_planner.h"
#include "render/sheet_coverage.h"
#include "render/sprite_batch_rules.h"

struct SoftwareDevice {
    int32_t width = 0;  // the frame's size: the client size at creation
    int32_t height = 0;
    // The kept frame, 0x00RRGGBB, top row first (the planner's rows count from the bottom):
    // the window surface's own pixels when they are laid out so, else keptFrame.
    uint32_t* frame = nullptr;
    uint32_t* keptFrame = nullptr;  // the device's memory for a window of another size or layout
    // Each loaded sheet as 512 x 512 texels 0xAARRGGBB, alpha 0 or 255, top row first: the
    // form the drawing samples fastest. Null for an empty slot, which samples as opaque black.
    uint32_t* texels[kPictureSlots] = {};
    int32_t* columns = nullptr;  // width entries: a triangle's texel column for each pixel column
    uint32_t* texelsAlong = nullptr;  // width entries: one texel row laid out along those columns

    FrameHistory* history = nullptr;
    SheetCoverage* sheets = nullptr;
    // The window needs the whole picture again (shown, uncovered, resized, full screen).
    bool presentRequired = true;
    int32_t presentedWidth = 0;  // the window surface's size at the last present
    int32_t presentedHeight = 0;

    PlanOptions options;     // as on the OpenGL device
    uint32_t drawCalls = 0;  // of the last frame
    bool presented = false;  // by the last frame

    // Test seam: when set, each present first copies the frame here as the OpenGL device
    // does (RGBA, bottom row first, width x height pixels).
    uint8_t* capture = nullptr;
};

// The rasteriser's geometry, which the clearing of an area relies on too.
inline constexpr int32_t kSubpixelBits = 8;
inline constexpr int64_t kSubpixel = int64_t{1} << kSubpixelBits;
// Vertices farther out than this many pixels are beyond what the fixed-point edges hold.
inline constexpr float kFarthestPixel = 1 << 20;

// A triangle corner in the frame's pixels (rows from the bottom), with its texture coordinate.
struct Corner {
    float x, y, u, v;
};

// The OpenGL path's vertex and pixel stages use fused multiply-adds where the processor has
// them, and separate ones where it does not; so does the software rasteriser, so that a corner
// or a sample on a texel's very edge comes out the same. Asked while globals are made: the
// processor model is read first.
inline const bool theProcessorFuses = (__builtin_cpu_init(), __builtin_cpu_supports("fma") != 0);

__attribute__((target("fma"))) inline float FusedMultiplyAdd(float a, float b, float c) {
    return __builtin_fmaf(a, b, c);
}

// a * b + c as the OpenGL path works it out.
inline float MultiplyAdd(float a, float b, float c) {
    return theProcessorFuses ? FusedMultiplyAdd(a, b, c) : a * b + c;
}

// The viewport transform of a clip-space vertex (w is always 1).
inline Corner ToFrame(const SpriteVertex& v, int32_t width, int32_t height) {
    const float halfWidth = 0.5f * static_cast<float>(width);
    const float halfHeight = 0.5f * static_cast<float>(height);
    return Corner{MultiplyAdd(v.x, halfWidth, halfWidth), MultiplyAdd(v.y, halfHeight, halfHeight),
                  v.u, v.v};
}

// A coordinate on the 1/256 pixel grid, with pixel k's centre at k * kSubpixel.
inline int64_t Snap(float coordinate) {
    return std::lrint((coordinate - 0.5f) * static_cast<float>(kSubpixel));
}

inline bool Near(const Corner& c) {
    return std::fabs(c.x) < kFarthestPixel && std::fabs(c.y) < kFarthestPixel;
}

inline int64_t FloorDiv(int64_t a, int64_t b) {
    const int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// Draws one run of quads into the frame, clipped to area (the planner's rows, bottom row 0).
void DrawSoftwareRun(SoftwareDevice& d, const DrawRun& run, const SpriteVertex* vertices,
                     const PixelRect& area);

// Points frame at the window surface's pixels when they can hold it, else at keptFrame. A frame
// moved to other memory, or onto a surface the window may have made anew, is to be drawn
// whole: true then.
bool ChooseFrameMemory(SoftwareDevice& d, void* window);

// Presents the rectangles (the planner's rows) of the kept frame on the window's surface, or
// the whole frame when whole is set. False when the window has no surface.
bool PresentSoftwareFrame(SoftwareDevice& d, void* window, const PixelRect* rects,
                          int32_t rectCount, bool whole);
void ForgetWindowSurface();
void ReleaseSoftwarePictures(SoftwareDevice& d);
// Sets to black the pixels of area that none of its runs is sure to overwrite.
void ClearUncovered(SoftwareDevice& d, const DrawRun* runs, uint32_t runCount,
                    const SpriteVertex* vertices, const PixelRect& area);
