// The game-scene frame: the pause, the background music, the fades, the background, the
// play frame and what every scene draws last.
#include "game/game_scene.h"

#include "audio/audio.h"
#include "game/background.h"
#include "game/fade.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/system.h"
#include "input/input.h"
#include "render/render.h"

namespace {

constexpr int32_t kPauseEffect = 0;

// The pause takes hold at once and its panel opens over nine frames.
void OpenPause(PauseAndTitleBlock& b) {
    b.pauseState = kPauseOpening;
    b.pauseMarkers[0] = -1;
    b.pauseMarkers[1] = -1;
    b.pauseFlag = 1;
    if (b.pauseCounter >= kPauseSteps) {
        b.pauseState = kPauseOpenHeld;
        b.pauseCounter = kPauseSteps;
    } else {
        ++b.pauseCounter;
    }
}

// The game runs again at once while the panel closes over nine frames.
void ClosePause(PauseAndTitleBlock& b) {
    b.pauseState = kPauseClosing;
    b.pauseFlag = 0;
    if (b.pauseCounter > 0) {
        --b.pauseCounter;
        return;
    }
    b.pauseState = kPauseClosedHeld;
    b.pauseCounter = 0;
    b.pauseMarkers[0] = 0;
    b.pauseMarkers[1] = 0;
    b.pauseValues[0] = 0;
    b.pauseValues[1] = 0;
}

}  // namespace

void StepPause(MapSceneEntity& scene, const System& system, CXa2& audio) {
    PauseAndTitleBlock& b = scene.block;
    const bool held = (system.inputButtons & PAUSE) != 0;
    if (held && b.pauseState == kPausePlaying) {
        audio.PlayEffect(kPauseEffect);
        OpenPause(b);
    } else if (b.pauseState == kPauseOpening) {
        OpenPause(b);
    } else if (!held && b.pauseState == kPauseOpenHeld) {
        b.pauseState = kPauseOpen;
    } else if ((held && b.pauseState == kPauseOpen) || b.pauseState == kPauseClosing) {
        if (b.pauseBlockers[0] == 0 && b.pauseBlockers[1] == 0)
            ClosePause(b);
    } else if (!held && b.pauseState == kPauseClosedHeld) {
        b.pauseState = kPausePlaying;
    }
}

int32_t RunGameFrame() {
    MapSceneEntity& scene = *theGame->scene;
    CDungeon dungeon;
    CBGIcDX background;
    CObjectIcDX objects;

    theGame->graphics->ResetDrawList();
    StepPause(scene, *theGame->system, *theGame->audio);
    if (scene.backgroundChangeRequest == 1) {
        (void)dungeon.SelectBackgroundMusic(scene.backgroundNumber);  // no picture is loaded
    }
    StepFade(scene);
    theGame->audio->MusicFade();
    background.DrawBackground();
    objects.RunPlayFrame();
    DrawFadeOverlay(scene);
    objects.DrawBorderBands();
    objects.DrawStatusLine();
    return 1;
}
