// The game-frame driver for the tests.
#include "tests/unit/game_frames.h"

#include "game/game_scene.h"
#include "input/input.h"
#include "input/scripted_keys.h"
#include "platform/scripted_clock.h"
#include "render/render.h"
#include "tests/unit/recording_voices.h"

void ResetPlayStateToStart() {
    thePlayState = PlayState{};
    thePlayState.pieceX = kSpawnX;
    thePlayState.repeatCounter = kRepeatReady;
}

GameFrames::GameFrames()
    : game(new Game()),
      system(*game->system),
      scene(*game->scene),
      play(thePlayState),
      commandLog(new DrawCommand[kDrawListSlots]) {
    theGame = game;
    game->graphics->settings = &system;
    game->graphics->scene = &scene;
    game->graphics->commandLog = commandLog.get();
    game->input->system = &system;
    game->input->scene = &scene;
    game->audio->settings = &system;
    game->audio->effectLog = &effectLog;
    scene.sceneNumber = kSceneGame;
    scene.reloadPending = 0;
    theWindowThreadId = 0;
    theWindowProcessId = 0;
    SetScriptedCalendarSeconds(1700000000);
    SetScriptedKeys(nullptr, 0);
    SetScriptedPad(false, 0);
    ResetRecordedVoices();
    ResetPlayStateToStart();
}

GameFrames::~GameFrames() {
    theGame = nullptr;
    delete game;
    ResetPlayStateToStart();
}

void GameFrames::Keys(std::initializer_list<uint8_t> keys) {
    SetScriptedKeys(keys.begin(), static_cast<int32_t>(keys.size()));
}

void GameFrames::Run(int32_t frames) {
    for (int32_t f = 0; f < frames; ++f) {
        effectLog.count = 0;
        game->input->Poll();
        RunGameFrame();
    }
}

void GameFrames::Run(int32_t frames, std::initializer_list<uint8_t> keys) {
    Keys(keys);
    Run(frames);
}

std::vector<DrawCommand> GameFrames::Commands() const {
    const DrawCommand* log = commandLog.get();
    return std::vector<DrawCommand>(log, log + game->graphics->count);
}

std::vector<int32_t> GameFrames::Effects() const {
    const int32_t kept =
        effectLog.count < EffectLog::kCapacity ? effectLog.count : EffectLog::kCapacity;
    return std::vector<int32_t>(effectLog.effects, effectLog.effects + kept);
}
