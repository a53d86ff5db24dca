// The comparison of this frame's list with the last one drawn.
#include "render/changed_areas.h"

#include <cstring>

#include "render/render.h"

namespace {

constexpr size_t kQuadBytes = 4 * sizeof(SpriteVertex);

bool SameCommand(const KeptCommand& k, const SpriteVertex* keptQuad, const CDx_Gr& g, uint32_t i) {
    return k.sheet == g.sheets[i] && k.color == g.colors[i] && k.blendMode == g.blendModes[i] &&
           std::memcmp(keptQuad, &g.vertices[4 * i], kQuadBytes) == 0;
}

void Keep(FrameHistory& kept, const CDx_Gr& g, uint32_t i) {
    kept.commands[i] = KeptCommand{g.sheets[i], g.colors[i], g.blendModes[i]};
    std::memcpy(&kept.vertices[4 * i], &g.vertices[4 * i], kQuadBytes);
}

}  // namespace

void ChangedAreas::Add(const PixelRect& area) {
    if (area.Empty())
        return;
    PixelRect joined = area;
    // Whatever the joined area now overlaps joins it too, until nothing does.
    for (bool again = true; again;) {
        again = false;
        for (int32_t k = 0; k < count; ++k) {
            if (Overlap(areas[k], joined)) {
                joined = Union(joined, areas[k]);
                areas[k] = areas[--count];
                again = true;
                break;
            }
        }
    }
    if (count < kMaxChangedAreas) {
        areas[count++] = joined;
        return;
    }
    int32_t best = 0;
    int64_t bestGrowth = -1;
    for (int32_t k = 0; k < count; ++k) {
        const int64_t growth = Union(areas[k], joined).Area() - areas[k].Area();
        if (bestGrowth < 0 || growth < bestGrowth) {
            best = k;
            bestGrowth = growth;
        }
    }
    const PixelRect merged = Union(areas[best], joined);
    areas[best] = areas[--count];
    Add(merged);
}

void FindChangedAreas(const CDx_Gr& g, int32_t width, int32_t height, FrameHistory& kept,
                      ChangedAreas& changed) {
    changed.count = 0;
    const bool everything = !kept.valid || kept.width != width || kept.height != height;
    if (everything)
        changed.Add(PixelRect{0, 0, width, height});
    const uint32_t common = everything ? 0 : (kept.count < g.count ? kept.count : g.count);
    for (uint32_t i = 0; i < common; ++i) {
        if (SameCommand(kept.commands[i], &kept.vertices[4 * i], g, i))
            continue;
        changed.Add(ReachOf(&kept.vertices[4 * i], width, height));
        changed.Add(ReachOf(&g.vertices[4 * i], width, height));
        Keep(kept, g, i);
    }
    if (!everything) {
        for (uint32_t i = common; i < kept.count; ++i)  // gone from this frame
            changed.Add(ReachOf(&kept.vertices[4 * i], width, height));
    }
    for (uint32_t i = common; i < g.count; ++i) {
        changed.Add(ReachOf(&g.vertices[4 * i], width, height));
        Keep(kept, g, i);
    }
    kept.valid = true;
    kept.width = width;
    kept.height = height;
    kept.count = g.count;
}
