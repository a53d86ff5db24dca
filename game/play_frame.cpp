// The play frame: one pass of the falling-block game per game-scene frame.
#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/pieces.h"
#include "game/play_motion.h"
#include "game/play_rules.h"
#include "game/play_state.h"
#include "game/system.h"

void CObjectIcDX::RunPlayFrame() {
    PlayState& play = thePlayState;
    const int32_t directions = system->inputDirections;
    const int32_t buttons = system->inputButtons;
    const bool paused = scene->block.pauseFlag != 0;

    // Deliberate: the generator is built and seeded anew every frame, so a kind drawn at a
    // lock depends only on the wall-clock second. Keep it.
    PieceRandom random(SeedFor());
    if (play.queueReady == 0) {
        SetUpGrid(play);
        FillQueue(play, random);
    }

    if (!paused)
        StepHorizontal(play, directions, buttons);
    ComputeBoxCoordinates(play);
    if (!paused)
        StepTurns(play, buttons);
    ComputeContactFlags(play);
    StepFall(play, directions, paused, random);
    CountBlockedFrame(play);

    const int32_t rows = ClearFullRows(play);
    StepLevel(play);
    AddRowScore(play, rows, *audio);

    DrawPlayScene(play);
}
