// Trace frames per second: the title, the settings page (the longest draw list of the title
// scene) and the game scene, each with and without the draw list printed. Output goes to
// /dev/null, so the figures are the frame and formatting work alone.
#include <benchmark/benchmark.h>

#include <cstdio>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "render/render.h"
#include "tools/trace/trace_driver.h"

namespace {

enum Where { kTitle, kSettingsPage, kGameScene };

void Place(Where where) {
    MapSceneEntity& m = *theGame->scene;
    if (where == kSettingsPage) {
        m.block.titlePhase = 4;
        m.block.titleOpenCount = 8;
        m.block.menuCursor = 2;
        m.block.subScreen = 4;
        m.block.panelOpenCount = 8;
    } else if (where == kGameScene) {
        m.sceneNumber = kSceneGame;
    }
}

void TraceFrames(benchmark::State& state) {
    static std::FILE* sink = std::fopen("/dev/null", "w");
    static TraceWriter out(sink);
    TraceRun run;
    if (!StartTraceGame(nullptr, run)) {
        state.SkipWithError("no game");
        return;
    }
    run.draws = state.range(1) != 0;
    Place(static_cast<Where>(state.range(0)));
    for (auto _ : state) {
        RunTraceFrame(run);
        WriteTraceFrame(out, run);
    }
    out.Flush();
    state.SetItemsProcessed(state.iterations());
    state.counters["commands"] = static_cast<double>(theGame->graphics->count);
    EndTraceGame();
}

}  // namespace

BENCHMARK(TraceFrames)
    ->ArgNames({"scene", "draws"})
    ->ArgsProduct({{kTitle, kSettingsPage, kGameScene}, {0, 1}})
    ->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
