// The frame plan: where each command of the list reaches, which commands cannot change a
// pixel of the finished frame (wholly beneath later commands that overwrite every pixel they
// cover, mixing nothing in, or off the frame), and which overwrite what is below them, so
// they need no blending. Skipping the hidden ones leaves the frame exactly as drawing them
// would. Shared by every graphics backend.
#pragma once

#include <cstdint>

#include "render/draw_command.h"
#include "render/quad_pixels.h"

class CDx_Gr;
struct SheetCoverage;

// Covered areas are tracked in tiles of 8 x 8 pixels, over frames up to 4096 x 2304.
inline constexpr int32_t kCoverTile = 8;
inline constexpr int32_t kMaxCoverColumns = 512;
inline constexpr int32_t kMaxCoverRows = 288;

struct FramePlan {
    PixelRect reach[kDrawListSlots] = {};
    bool hidden[kDrawListSlots] = {};
    bool overwrites[kDrawListSlots] = {};  // worked out for the commands not hidden
    // Every texel it can sample, at any pixel it may touch, is opaque: the transparency test
    // would leave nothing out. Also for the commands not hidden.
    bool opaqueTexels[kDrawListSlots] = {};
    uint8_t covered[kMaxCoverRows][kMaxCoverColumns] = {};
};

// Plans the list for a frame of width x height. With skipHidden false nothing is hidden (to
// compare against), though reaches and overwrites are still worked out.
void PlanFrame(const CDx_Gr& list, const SheetCoverage& sheets, int32_t width, int32_t height,
               bool skipHidden, FramePlan& plan);
