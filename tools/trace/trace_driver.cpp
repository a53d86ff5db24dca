// The headless game's start-up and frame: the game's own objects and scene functions, with
// the scripted keys and clock underneath and nothing rendered or played.
#include "tools/trace/trace_driver.h"

#include "assets/resources.h"
#include "frontend/title_scene.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "platform/path16.h"
#include "render/render.h"

namespace {

// Every command of the frame's list as submitted, for the `draws` output.
DrawCommand theCommandLog[kDrawListSlots];

bool ToGamePath(const char* path, char16_t (&out)[kPathUnits]) {
    out[0] = 0;
    return path[0] != 0 && TextFromUtf8(out, kPathUnits, path);
}

}  // namespace

bool StartTraceGame(const char* iniPath, TraceRun& run) {
    theGame = new Game();
    System& system = *theGame->system;
    MapSceneEntity& scene = *theGame->scene;
    if (iniPath != nullptr) {
        char16_t path[kPathUnits];
        if (!ToGamePath(iniPath, path))
            return false;
        // The game treats a missing Game.ini as "use the defaults"; a file named on the
        // command line that cannot be read is an error instead.
        const int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
        if (file < 0)
            return false;
        FileClose(file);
        CLoadFile loader(&system, &scene);
        loader.LoadSettings(path);
    } else {
        DeriveWorkingSettings(system);
    }

    theGame->graphics->settings = &system;
    theGame->graphics->scene = &scene;
    theGame->graphics->commandLog = theCommandLog;
    theGame->input->system = &system;
    theGame->input->scene = &scene;
    theGame->audio->settings = &system;
    theGame->audio->effectLog = &run.effects;

    system.inputSource = system.padInputDefault;
    system.audioUnavailable = 0;
    FillAngleTables(scene);
    scene.reloadPending = 0;  // the pictures "loaded"
    system.bgmTrack = 0;
    system.active = 1;
    return true;
}

bool SaveTraceSettings(const char* path) {
    char16_t path16[kPathUnits];
    if (!ToGamePath(path, path16))
        return false;
    CLoadFile saver(theGame->system, theGame->scene);
    return saver.SaveSettings(path16);
}

void EndTraceGame() {
    delete theGame;
    theGame = nullptr;
}

void SetTraceIds(uint32_t threadId, uint32_t processId) {
    theWindowThreadId = threadId;
    theWindowProcessId = processId;
}

void RunTraceFrame(TraceRun& run) {
    const int32_t sceneNumber = theGame->scene->sceneNumber;
    run.effects.count = 0;
    ++run.frame;
    theGame->input->Poll();
    if (theGame->system->active != 1)
        return;
    if (sceneNumber == kSceneTitle) {
        RunTitleFrame();
    } else if (sceneNumber == kSceneGame) {
        RunGameFrame();
    }
}

void SetTraceActive(int32_t active) {
    theGame->system->active = active;
}
