// Where a finished quad of the draw list lands in a frame of whole pixels, and which texels
// of its sheet it can sample. Plain arithmetic shared by every graphics backend; rectangles
// are in the frame's own pixel rows, bottom row 0 (clip space +1 is the top), half-open.
#pragma once

#include <cstdint>

#include "render/draw_command.h"

struct PixelRect {
    int32_t x0 = 0, y0 = 0, x1 = 0, y1 = 0;

    [[nodiscard]] bool Empty() const { return x0 >= x1 || y0 >= y1; }
    [[nodiscard]] int64_t Area() const { return Empty() ? 0 : int64_t{x1 - x0} * (y1 - y0); }
};

[[nodiscard]] PixelRect Intersection(const PixelRect& a, const PixelRect& b);
[[nodiscard]] PixelRect Union(const PixelRect& a, const PixelRect& b);
[[nodiscard]] inline bool Overlap(const PixelRect& a, const PixelRect& b) {
    return !Intersection(a, b).Empty();
}

// Every pixel the quad's two triangles could touch, one pixel wider on each side than its
// extent so that rounding can never leave one out, clipped to the frame. A quad with a
// vertex that is not a number may land anywhere: the whole frame.
[[nodiscard]] PixelRect ReachOf(const SpriteVertex* quad, int32_t width, int32_t height);

// Axis-aligned, with texture coordinates that follow its edges (an unturned sprite).
[[nodiscard]] bool AxisAligned(const SpriteVertex* quad);

// For an axis-aligned quad whose texture coordinates follow its edges: the pixels whose
// centres lie inside it by at least margin pixels (a negative margin takes in centres that
// far outside), clipped to the frame. Empty for any other quad (rotated, degenerate, or
// sheared in its texture).
[[nodiscard]] PixelRect CentresWithin(const SpriteVertex* quad, int32_t width, int32_t height,
                                      double margin);

// How far inside a quad's edges the pixels lie that its triangles certainly cover, and how
// far outside them any pixel it could cover lies at most (rasterisers round to a small
// fraction of a pixel).
inline constexpr double kCertainMargin = 0.25;
inline constexpr double kPossibleMargin = -0.05;

[[nodiscard]] inline PixelRect InteriorOf(const SpriteVertex* quad, int32_t width, int32_t height) {
    return CentresWithin(quad, width, height, kCertainMargin);
}

// The texels such an axis-aligned quad samples at the pixels CentresWithin gives for margin:
// columns first..first+count-1 and likewise rows, not yet wrapped into the sheet. False when
// there are no such pixels.
struct TexelSpan {
    int32_t first = 0;
    int32_t count = 0;
};
[[nodiscard]] bool SampledTexels(const SpriteVertex* quad, int32_t width, int32_t height,
                                 double margin, int32_t sheetSide, TexelSpan& columns,
                                 TexelSpan& rows);
