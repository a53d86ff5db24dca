// RenderFrame on each Linux backend (renderer: 0 OpenGL on the software rasteriser, 1 the
// game's own software frame): consecutive frames of a game in progress and of the
// scrolling title (the scene's own frame runs between them, outside the timing), the full list
// of 14,969 commands and an empty list (the frame's fixed cost). Each drawn three ways: one
// draw per command over the whole frame (drawing: 0), merged draws without the commands that
// cannot show, still over the whole frame (1), and as the game draws, only where the list
// changed since the last frame (2). The frame's CPU time is the process time per frame; the
// real time includes what the rasteriser's own threads spend. The scene's own frame is timed
// apart (scene_ms), so one run gives both halves of a frame. With caches: 1 the processor's
// caches are filled with other memory before each frame (outside the timing), as the game's
// idle time between frames leaves them: the frame's cost as the running game pays it.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <ctime>

#include "assets/pictures.h"
#include "assets/resources.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/path16.h"
#include "render/gl_local.h"
#include "render/render.h"
#include "render/soft_local.h"
#include "tools/trace/trace_driver.h"

namespace {

enum Frame { kGame, kTitle, kFullList, kEmpty };
enum Drawing { kEveryCommand, kWholeFrame, kChangedAreas };

SDL_Window* OpenWindow() {
    if (std::getenv("DISPLAY") == nullptr)
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0)
        return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    return SDL_CreateWindow("Tessaroid", 0, 0, 1280, 720, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
}

PlanOptions& Options(CDx_Gr& g) {
    return g.renderer == kRendererSoftware ? g.softwareDevice->options : g.device->options;
}
uint32_t DrawCalls(const CDx_Gr& g) {
    return g.renderer == kRendererSoftware ? g.softwareDevice->drawCalls : g.device->drawCalls;
}
bool Presented(const CDx_Gr& g) {
    return g.renderer == kRendererSoftware ? g.softwareDevice->presented : g.device->presented;
}

// The game's own sheets from the program folder's data, as start-up loads them.
bool LoadSheets() {
    System& system = *theGame->system;
    (void)TextFromUtf8(system.dataPath, kPathUnits, TESSAROID_GAME_DIR "data/");
    char16_t path[kPathUnits];
    (void)DataFilePath(system, u"grp\\grp_0003.txt", path);
    CLoadFile loader(&system, theGame->scene);
    if (!loader.ReadPictureList(path))
        return false;
    theGame->scene->reloadPending = 1;
    return LoadPictures();
}

// 14,969 cells of 24 x 24 over the whole screen, each of the game's nine coloured tiles in
// turn, a tenth of them translucent: about nine layers of cells everywhere.
void FillFullList() {
    CDx_Gr& g = *theGame->graphics;
    g.ResetDrawList();
    for (int k = 0; k < kDrawnCommands; ++k) {
        DrawCommand c{};
        c.dstX = (k % 53) * 24;
        c.dstY = ((k / 53) % 30) * 24;
        c.dstW = 24;
        c.dstH = 24;
        c.srcX = 192 + 8 * (1 + k % 9);
        c.srcY = 256;
        c.srcW = 8;
        c.srcH = 8;
        c.scaleX = 1.0f;
        c.scaleY = 1.0f;
        c.color = k % 10 == 9 ? 0x80FFFFFF : 0xFFFFFFFF;
        c.sheet = 3;
        g.Submit(&c);
    }
}

// Writes more memory than the processor caches hold, so the next frame finds none of its own.
void EvictCaches() {
    constexpr size_t kBytes = size_t{64} << 20;
    static auto* memory = new char[kBytes];
    for (size_t k = 0; k < kBytes; k += 64) memory[k] = static_cast<char>(k);
    benchmark::DoNotOptimize(memory);
}

double ThreadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Runs the scene long enough for its picture to settle (the game: pieces in the well).
void FillSceneList(Frame frame, TraceRun& run) {
    if (frame == kGame)
        theGame->scene->sceneNumber = kSceneGame;
    const int frames = frame == kGame ? 900 : 240;
    for (int k = 0; k < frames; ++k) RunTraceFrame(run);
}

void RenderFrames(benchmark::State& state) {
    TraceRun run;
    SDL_Window* window = OpenWindow();
    if (window == nullptr || !StartTraceGame(nullptr, run)) {
        state.SkipWithError("no window or game");
        return;
    }
    CDx_Gr& g = *theGame->graphics;
    g.window = window;
    (void)TextFromUtf8(theGame->system->programFolder, kPathUnits, TESSAROID_GAME_DIR);
    g.renderer = static_cast<int32_t>(state.range(2));
    if (g.CreateDevice() < 0 || !LoadSheets()) {
        state.SkipWithError("no device or no sheets (build the data folder first)");
        return;
    }
    const auto frame = static_cast<Frame>(state.range(0));
    if (frame == kFullList) {
        FillFullList();
    } else if (frame == kEmpty) {
        g.ResetDrawList();
    } else {
        FillSceneList(frame, run);
    }
    const auto drawing = static_cast<Drawing>(state.range(1));
    Options(g).mergeDraws = drawing != kEveryCommand;
    Options(g).skipInvisible = drawing != kEveryCommand;
    Options(g).redrawEveryFrame = drawing != kChangedAreas;
    const bool scene = frame == kGame || frame == kTitle;
    const bool cold = state.range(3) == 1;
    double draws = 0;
    double presents = 0;
    double sceneMs = 0;     // the scene's own frame, on this thread's clock
    (void)g.RenderFrame();  // the first frame draws everything whatever the drawing
    for (auto _ : state) {
        if (scene) {
            state.PauseTiming();
            const double before = ThreadCpuMs();
            RunTraceFrame(run);
            sceneMs += ThreadCpuMs() - before;
            state.ResumeTiming();
        }
        if (cold) {
            state.PauseTiming();
            EvictCaches();
            state.ResumeTiming();
        }
        (void)g.RenderFrame();
        if (g.renderer == kRendererOpenGL)
            glFinish();  // the frame's drawing done, not only queued
        draws += DrawCalls(g);
        presents += Presented(g) ? 1 : 0;
    }
    const double frames = static_cast<double>(state.iterations());
    state.counters["commands"] = static_cast<double>(g.count);
    state.counters["draws"] = draws / frames;
    state.counters["presented"] = presents / frames;
    state.counters["scene_ms"] = sceneMs / frames;
    g.ReleaseDevice();
    EndTraceGame();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

}  // namespace

BENCHMARK(RenderFrames)
    ->ArgNames({"frame", "drawing", "renderer", "caches"})
    ->ArgsProduct({{kGame, kTitle, kFullList, kEmpty},
                   {kEveryCommand, kWholeFrame, kChangedAreas},
                   {kRendererOpenGL, kRendererSoftware},
                   {0}})
    ->Args({kTitle, kChangedAreas, kRendererSoftware, 1})
    ->Args({kGame, kChangedAreas, kRendererSoftware, 1})
    ->Iterations(600)
    ->MeasureProcessCPUTime()
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
