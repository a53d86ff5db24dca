// DrawCommand: one sprite request, and SpriteVertex: one finished vertex of the draw list.
#pragma once

#include <cstdint>

// 23 four-byte words; callers clear it, set what they need and pass it by address.
struct DrawCommand {
    int32_t dstX;
    int32_t dstY;
    int32_t reserved0;
    int32_t dstW;
    int32_t dstH;
    int32_t srcX;
    int32_t srcY;
    int32_t srcW;
    int32_t srcH;
    int32_t reserved1;
    int32_t reserved2;
    float scaleX;
    float scaleY;
    int32_t flip;  // 1 mirrors left-right, 2 top-bottom, 3 both; anything else none
    float pivotX;
    float pivotY;
    int32_t reserved3;
    int32_t pitch;  // angle indices, 1/256 of a turn each
    int32_t yaw;
    int32_t roll;
    int32_t blendMode;  // BlendMode
    uint32_t color;     // ARGB
    int32_t sheet;
};
static_assert(sizeof(DrawCommand) == 92, "23 words");

// DrawCommand::blendMode. Any other value draws as a white opaque command does.
enum BlendMode : int32_t {
    kBlendModeByColor = 0,      // the colour chooses how the picture blends
    kBlendModeAlternative = 1,  // the alternative blend state
};

// Position in clip space with depth, colour, texture coordinate: 36 bytes.
struct SpriteVertex {
    float x, y, z;
    float r, g, b, a;
    float u, v;
};
static_assert(sizeof(SpriteVertex) == 36, "the vertex layout the pipeline declares");

inline constexpr int kDrawListSlots = 14970;
inline constexpr int kDrawnCommands = kDrawListSlots - 1;  // the last slot is overwritten
inline constexpr int kDrawListVertices = kDrawListSlots * 4;

// A rectangle in virtual pixels (destinations) or texels (sources).
struct DrawRect {
    int32_t x, y, w, h;
};

inline constexpr int32_t kFontSheet = 6;
inline constexpr uint32_t kOpaqueWhite = 0xFFFFFFFF;

// The plain sprite most draws are: source to destination at scale 1, no flip, pivot,
// rotation or blend mode.
[[nodiscard]] inline DrawCommand SpriteCommand(int32_t sheet, DrawRect src, DrawRect dst,
                                               uint32_t color = kOpaqueWhite) {
    DrawCommand c{};
    c.dstX = dst.x;
    c.dstY = dst.y;
    c.dstW = dst.w;
    c.dstH = dst.h;
    c.srcX = src.x;
    c.srcY = src.y;
    c.srcW = src.w;
    c.srcH = src.h;
    c.scaleX = 1.0f;
    c.scaleY = 1.0f;
    c.color = color;
    c.sheet = sheet;
    return c;
}

// Character code c of the font sheet (a 16 x 16 grid of 16 x 32 cells, by the code's low
// byte) drawn into dst.
[[nodiscard]] inline DrawCommand GlyphCommand(uint32_t c, DrawRect dst) {
    const DrawRect cell{static_cast<int32_t>((c & 15) * 16), static_cast<int32_t>((c & 0xF0) * 2),
                        16, 32};
    return SpriteCommand(kFontSheet, cell, dst);
}
