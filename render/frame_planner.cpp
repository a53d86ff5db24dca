// The frame's draw calls from its plan: the one merging rule, and the manner of each command.
#include "render/frame_planner.h"

#include <cstring>

#include "render/render.h"

namespace {

// Over opaque texels the transparency test never leaves a fragment out. kBlendOwnAlpha blends
// by the texel's alpha, which is 0 (left out by the test) or 1 (the texel itself): blending
// would only read the frame to multiply it by zero. Each costs a software rasteriser work on
// every pixel.
DrawManner MannerOf(const PlanOptions& options, bool opaqueVariant, const FramePlan& plan,
                    const DrawKey& key, uint32_t i) {
    const bool opaque = options.skipInvisible && plan.opaqueTexels[i] && opaqueVariant;
    return DrawManner{opaque, options.skipInvisible && key.kind == kBlendOwnAlpha};
}

// A command is drawn into an area when it can show there.
bool DrawnInto(const FramePlan& plan, uint32_t i, const PixelRect& area) {
    return !plan.hidden[i] && Overlap(plan.reach[i], area);
}

// The merging rule: a command joins the run before it in its area when it needs the same
// state, factor and picture. Commands left out between them do not part them, since they
// draw nothing.
void AddToRuns(const PlanOptions& options, FrameDraws& f, uint32_t areaStart, const DrawKey& key,
               DrawManner manner, const SpriteVertex* quad) {
    DrawRun* last = f.runCount > areaStart ? &f.runs[f.runCount - 1] : nullptr;
    if (options.mergeDraws && last != nullptr && SharesDraw(last->key, key) &&
        last->manner.opaque == manner.opaque && last->manner.plainly == manner.plainly)
        ++last->quads;
    else
        f.runs[f.runCount++] = DrawRun{key, manner, f.quadCount, 1};
    std::memcpy(&f.vertices[4 * f.quadCount++], quad, 4 * sizeof(SpriteVertex));
}

// How many quads the areas take: a command drawn into several areas is copied for each.
uint32_t QuadsDrawn(const CDx_Gr& g, const FramePlan& plan, const ChangedAreas& changed) {
    uint32_t quads = 0;
    for (int32_t a = 0; a < changed.count; ++a) {
        for (uint32_t i = 0; i < g.count; ++i) quads += DrawnInto(plan, i, changed.areas[a]);
    }
    return quads;
}

}  // namespace

void PlanDraws(const PlanOptions& options, bool opaqueVariant, const CDx_Gr& g,
               const FramePlan& plan, ChangedAreas& changed, FrameDraws& f) {
    // More than the list holds only when areas share many commands: one area round them all.
    if (changed.count > 1 && QuadsDrawn(g, plan, changed) > kDrawListSlots) {
        PixelRect all = changed.areas[0];
        for (int32_t a = 1; a < changed.count; ++a) all = Union(all, changed.areas[a]);
        changed.count = 1;
        changed.areas[0] = all;
    }
    f.quadCount = 0;
    f.runCount = 0;
    for (int32_t a = 0; a < changed.count; ++a) {
        f.areaRuns[a] = f.runCount;
        for (uint32_t i = 0; i < g.count; ++i) {
            if (!DrawnInto(plan, i, changed.areas[a]))
                continue;
            const DrawKey key = DrawKeyOf(g.blendModes[i], g.colors[i], g.sheets[i]);
            AddToRuns(options, f, f.areaRuns[a], key,
                      MannerOf(options, opaqueVariant, plan, key, i), &g.vertices[4 * i]);
        }
    }
    f.areaRuns[changed.count] = f.runCount;
}
