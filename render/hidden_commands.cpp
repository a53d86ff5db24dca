// The frame plan, worked from the last command back: a command is hidden when every tile it
// reaches is already covered by later commands that overwrite; an overwriting command then
// covers the tiles wholly inside it.
#include "render/hidden_commands.h"

#include <cstring>

#include "render/render.h"
#include "render/sheet_coverage.h"
#include "render/sprite_batch_rules.h"

namespace {

struct TileRange {
    int32_t x0, y0, x1, y1;
};

int32_t FloorDiv(int32_t v) {
    return v / kCoverTile;  // v is never negative: rectangles are clipped to the frame
}
int32_t CeilDiv(int32_t v) {
    return (v + kCoverTile - 1) / kCoverTile;
}

// Every tile a rectangle touches, and the tiles wholly inside it.
TileRange TilesTouched(const PixelRect& r) {
    return TileRange{FloorDiv(r.x0), FloorDiv(r.y0), CeilDiv(r.x1), CeilDiv(r.y1)};
}
TileRange TilesInside(const PixelRect& r) {
    return TileRange{CeilDiv(r.x0), CeilDiv(r.y0), FloorDiv(r.x1), FloorDiv(r.y1)};
}

bool AllCovered(const FramePlan& plan, const TileRange& t) {
    for (int32_t y = t.y0; y < t.y1; ++y) {
        for (int32_t x = t.x0; x < t.x1; ++x) {
            if (plan.covered[y][x] == 0)
                return false;
        }
    }
    return true;
}

void Cover(FramePlan& plan, const TileRange& t) {
    if (t.x1 <= t.x0)
        return;
    for (int32_t y = t.y0; y < t.y1; ++y) std::memset(&plan.covered[y][t.x0], 1, t.x1 - t.x0);
}

// By its own alpha and replacing by the factor, a command writes a value of its own wherever
// the picture is opaque; the other kinds mix.
bool Overwrites(const DrawKey& key, const SpriteVertex* quad, const SheetCoverage& sheets,
                int32_t width, int32_t height) {
    if (key.kind != kBlendOwnAlpha && key.kind != kBlendReplaceByFactor)
        return false;
    TexelSpan columns, rows;
    if (!SampledTexels(quad, width, height, kCertainMargin, kPictureSide, columns, rows))
        return false;
    return OpaqueTexels(sheets, key.picture, columns, rows);
}

// Whether every texel the quad could sample, at any pixel it may touch, is transparent (each
// of its fragments is left out) or, with transparent false, opaque (none is). The texels under
// the pixels it certainly covers are not enough for the second: where an edge falls between
// pixel centres, the pixels along it sample the picture's outer texels as well.
bool ReachableTexelsAll(bool transparent, const DrawKey& key, const SpriteVertex* quad,
                        const SheetCoverage& sheets, int32_t width, int32_t height) {
    TexelSpan columns, rows;
    if (!SampledTexels(quad, width, height, kPossibleMargin, kPictureSide, columns, rows))
        return false;
    return transparent ? TransparentTexels(sheets, key.picture, columns, rows)
                       : OpaqueTexels(sheets, key.picture, columns, rows);
}

// Beneath what later commands overwrite, or mixing or drawing nothing at all. An unturned
// sprite covers no pixel beyond those its centres fall in; any other quad is judged by its
// reach.
bool Hidden(const FramePlan& plan, const PixelRect& reach, const DrawKey& key,
            const SpriteVertex* quad, const SheetCoverage& sheets, int32_t width, int32_t height,
            bool tiles) {
    const PixelRect pixels =
        AxisAligned(quad) ? CentresWithin(quad, width, height, kPossibleMargin) : reach;
    return pixels.Empty() || MixesNothing(key) ||
           (tiles && AllCovered(plan, TilesTouched(pixels))) ||
           ReachableTexelsAll(true, key, quad, sheets, width, height);
}

}  // namespace

void PlanFrame(const CDx_Gr& g, const SheetCoverage& sheets, int32_t width, int32_t height,
               bool skipHidden, FramePlan& plan) {
    const bool tiles =
        width <= kMaxCoverColumns * kCoverTile && height <= kMaxCoverRows * kCoverTile;
    if (tiles) {
        for (int32_t y = 0; y < CeilDiv(height); ++y)
            std::memset(plan.covered[y], 0, CeilDiv(width));
    }
    for (uint32_t n = g.count; n > 0; --n) {
        const uint32_t i = n - 1;
        const SpriteVertex* quad = &g.vertices[4 * i];
        const DrawKey key = DrawKeyOf(g.blendModes[i], g.colors[i], g.sheets[i]);
        plan.reach[i] = ReachOf(quad, width, height);
        plan.hidden[i] =
            skipHidden && Hidden(plan, plan.reach[i], key, quad, sheets, width, height, tiles);
        plan.overwrites[i] = !plan.hidden[i] && Overwrites(key, quad, sheets, width, height);
        plan.opaqueTexels[i] =
            !plan.hidden[i] && ReachableTexelsAll(false, key, quad, sheets, width, height);
        if (tiles && skipHidden && plan.overwrites[i])
            Cover(plan, TilesInside(InteriorOf(quad, width, height)));
    }
}
