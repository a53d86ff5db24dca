// The frame planner: what a frame draws, worked out without any graphics library. From the
// frame plan (where each command reaches, which cannot show, which sample only opaque texels)
// and the areas that changed since the last frame, it gives the frame's draw calls, area after
// area: runs of commands that share state and picture, with their quads copied in drawing
// order. A backend only carries such a plan out, call by call. Main thread.
#pragma once

#include <cstdint>

#include "render/changed_areas.h"
#include "render/draw_command.h"
#include "render/hidden_commands.h"
#include "render/sprite_batch_rules.h"

class CDx_Gr;

// The drawing choices, all on by default: benchmarks and tests turn them off to compare with
// one draw per command over the whole frame, every frame.
struct PlanOptions {
    bool mergeDraws = true;         // commands next to each other that can share a call do
    bool skipInvisible = true;      // what cannot show is left out, and the shortcuts taken
    bool redrawEveryFrame = false;  // every frame drawn whole, changed or not
};

// How a command is drawn beyond its state and picture.
struct DrawManner {
    bool opaque;   // it samples only opaque texels: the transparency test can be left out
    bool plainly;  // what it does not leave out it overwrites: no blending
};

// One draw call: a run of commands drawn one after another with the same state and picture.
struct DrawRun {
    DrawKey key;
    DrawManner manner;
    uint32_t firstQuad;
    uint32_t quads;
};

// The frame's draw calls, area after area, and the quads they draw, copied in drawing order:
// each call then takes consecutive vertices, which is what a software rasteriser's vertex
// stage handles best (it works on every vertex between a call's lowest and highest index).
struct FrameDraws {
    SpriteVertex vertices[kDrawListVertices];
    DrawRun runs[kDrawListSlots];
    uint32_t areaRuns[kMaxChangedAreas + 1];  // area k's runs: areaRuns[k]..areaRuns[k+1]-1
    uint32_t quadCount;
    uint32_t runCount;
};

// The draw calls for the changed areas. Areas that together would draw more quads than the
// list holds become one area round them all (changed is updated). opaqueVariant: the backend
// can draw without the transparency test.
void PlanDraws(const PlanOptions& options, bool opaqueVariant, const CDx_Gr& list,
               const FramePlan& plan, ChangedAreas& changed, FrameDraws& draws);
