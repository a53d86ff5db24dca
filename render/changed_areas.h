// What changed since the last frame drawn: the list kept from that frame, compared command by
// command with this frame's, gives the few areas of the frame that must be drawn again. Every
// pixel outside them is covered by the very same commands, in the same order, as before, so
// the picture kept from the last frame is already right there. Shared by every backend.
#pragma once

#include <cstdint>

#include "render/draw_command.h"
#include "render/quad_pixels.h"

class CDx_Gr;

inline constexpr int32_t kMaxChangedAreas = 4;

struct ChangedAreas {
    int32_t count = 0;
    PixelRect areas[kMaxChangedAreas] = {};

    // Adds an area, joining it with those it overlaps; when all places are taken, with the
    // one that grows least.
    void Add(const PixelRect& area);
};

struct KeptCommand {
    int32_t sheet;
    uint32_t color;
    int32_t blendMode;
};

struct FrameHistory {
    bool valid = false;  // false: no frame kept, every pixel must be drawn
    int32_t width = 0;
    int32_t height = 0;
    uint32_t count = 0;
    KeptCommand commands[kDrawListSlots] = {};
    SpriteVertex vertices[kDrawListVertices] = {};
};

// Compares the list with the kept one and keeps the list in its place. A history that is not
// valid, or was kept for another frame size, makes the whole frame one changed area.
void FindChangedAreas(const CDx_Gr& list, int32_t width, int32_t height, FrameHistory& kept,
                      ChangedAreas& changed);
