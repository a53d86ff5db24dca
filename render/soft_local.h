// The software backend's own objects, private to render/soft_*.cpp and the render tests. The
// frame is drawn in memory at the size the device was created at and kept from one frame to
// the next; only the areas where the list changed are drawn again, and only their rectangles
// are presented, through SDL's window surface (stretched when the window has another size).
#pragma once

#include <cstdint>

#include "render/changed_areas.h"
#include "render/frame_planner.h"
#include "render/sheet_coverage.h"
#include "render/sprite_batch_rules.h"

struct SoftwareDevice {
    int32_t width = 0;  // the frame's size: the client size at creation
    int32_t height = 0;
    // The kept frame, 0x00RRGGBB, top row first (the planner's rows count from the bottom).
    uint32_t* frame = nullptr;
    // Each loaded sheet as 512 x 512 texels 0xAARRGGBB, alpha 0 or 255, top row first: the
    // form the drawing samples fastest. Null for an empty slot, which samples as opaque black.
    uint32_t* texels[kPictureSlots] = {};
    int32_t* columns = nullptr;  // width entries: a triangle's texel column for each pixel column

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

// Draws one run of quads into the frame, clipped to area (the planner's rows, bottom row 0).
void DrawSoftwareRun(SoftwareDevice& d, const DrawRun& run, const SpriteVertex* vertices,
                     const PixelRect& area);

// Presents the rectangles (the planner's rows) of the kept frame on the window's surface, or
// the whole frame when whole is set. False when the window has no surface.
bool PresentSoftwareFrame(SoftwareDevice& d, void* window, const PixelRect* rects,
                          int32_t rectCount, bool whole);
void ForgetWindowSurface();
void ReleaseSoftwarePictures(SoftwareDevice& d);
