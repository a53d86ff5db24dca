// The game's frame shell: the frame loop's view of the running game, with the platform's
// clocks and waits, the window's message pump, and the frame's work on the Game object.
#pragma once

#include <cstdint>

#include "app/frame_loop.h"
#include "app/window.h"
#include "app/window_procedure.h"
#include "audio/audio.h"
#include "frontend/title_scene.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/map_scene_entity.h"
#include "input/input.h"
#include "platform/clock.h"
#include "render/render.h"

struct GameShell {
    GameWindow* window;
    WindowProcedure* procedure;

    uint32_t Milliseconds() { return ClockMilliseconds(); }
    uint32_t Counter() { return ClockCounter(); }
    void SleepMilliseconds(uint32_t milliseconds) { ::SleepMilliseconds(milliseconds); }
    void SleepBriefly() { ::SleepBriefly(); }
    void YieldTimeSlice() { ::YieldTimeSlice(); }
    void KeepAwake() { ::KeepAwake(); }
    bool PumpOneMessage() { return ::PumpOneMessage(window, *procedure); }
    void PollInput() { theGame->input->Poll(); }
    void RunScene(int32_t sceneNumber) {
        if (sceneNumber == kSceneTitle) {
            RunTitleFrame();
        } else if (sceneNumber == kSceneGame) {
            RunGameFrame();
        }
    }
    void RenderFrame() { theGame->graphics->RenderFrame(); }
    void ServiceEffectVoices() { theGame->audio->ServiceEffectVoices(); }
    void CheckDevice() { theGame->graphics->CheckDevice(); }
    bool RebuildDevice() { return theGame->graphics->RebuildDevice(); }
};
static_assert(FrameShell<GameShell>);
