// The game-over sequence, drawn and counted in the play drawing of every unpaused frame.
#include "game/game_over.h"

#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/play_state.h"
#include "game/system.h"
#include "platform/clock.h"
#include "render/set_vertex.h"

namespace {

constexpr int32_t kPlaySheet = 3;
constexpr int32_t kPictureSheet = 2;

DrawCommand CurtainBand(int32_t band) {
    DrawCommand c = SpriteCommand(kPlaySheet, {0, 248, 416, 8}, {16, 720 - 24 * band, 1280, 24});
    c.pivotX = 12.0f;
    c.pivotY = 12.0f;
    return c;
}

DrawCommand GameOverPicture() {
    return SpriteCommand(kPictureSheet, {255, 43, 181, 43}, {220, 240, 768, 132});
}

void SwapEntries(MapSceneEntity& scene, int32_t a, int32_t b) {
    const int32_t score = scene.rankingScores[a];
    scene.rankingScores[a] = scene.rankingScores[b];
    scene.rankingScores[b] = score;
    const CalendarTime date = scene.rankingDates[a];
    scene.rankingDates[a] = scene.rankingDates[b];
    scene.rankingDates[b] = date;
}

}  // namespace

void SortRanking(MapSceneEntity& scene) {
    for (int32_t pass = 0; pass < kNewcomerEntry; ++pass) {
        for (int32_t lower = kNewcomerEntry; lower > pass; --lower) {
            // Strictly greater: a score equal to an older one ranks below it.
            if (scene.rankingScores[lower] > scene.rankingScores[lower - 1]) {
                SwapEntries(scene, lower, lower - 1);
            }
        }
    }
}

void ResetPlayState(PlayState& play) {
    play.queueReady = 0;
    for (int32_t& entry : play.queue) entry = 0;
    for (int32_t& cell : play.grid) cell = 0;
    for (int32_t& column : play.boxColumns) column = 0;
    for (int32_t& row : play.boxRows) row = 0;
    play.pieceY = 0;
    play.lockCounter = 0;
    play.consecutiveLocks = 0;
    play.gameOverCounter = 0;
    play.pieceX = kSpawnX;
    play.orientation = 0;
    play.landed = 0;
    play.repeatCounter = kRepeatReady;
    play.fastRepeat = 0;
    play.blockedLeft = 0;
    play.blockedRight = 0;
    play.rotateCwLatch = 0;
    play.rotateCcwLatch = 0;
}

void EndGame(PlayState& play, MapSceneEntity& scene, System& system) {
    scene.backgroundNumber = 0;
    scene.backgroundChangeRequest = 1;
    ReleaseHeapBlock(scene);
    system.bgmTrack = 0;  // the music stops
    system.bgmRestart = 0;

    play.gameOverCounter = 0;
    scene.endTime = CalendarSeconds();
    (void)LocalCalendar(scene.endTime, &scene.rankingDates[kNewcomerEntry]);
    scene.rankingScores[kNewcomerEntry] = play.score;

    ResetPlayState(play);
    // Each game starts from nothing once its score has gone into the ranking.
    play.score = 0;
    play.levelIndex = 0;
    play.linesTowardLevel = 0;

    SortRanking(scene);

    scene.fadeAlpha = 255;
    scene.fadeIn = 0;
    scene.fadeOut = 1;
    scene.sceneNumber = kSceneTitle;
}

void CObjectIcDX::StepGameOver(PlayState& play, CSetVerTex& forward) {
    if (play.gameOverCounter != 0) {
        for (int32_t band = 0; band < play.gameOverCounter; ++band) {
            DrawCommand c = CurtainBand(band);
            forward.Submit(&c);
        }
        ++play.gameOverCounter;
        if (play.gameOverCounter > kCurtainBands) {
            DrawCommand c = GameOverPicture();
            forward.Submit(&c);
            play.consecutiveLocks = 0;  // from here the count grows by one a frame
        }
    }
    if (play.gameOverCounter <= kCoverAfterFrames)
        return;
    play.consecutiveLocks = 0;
    scene->fadeIn = 1;
    scene->fadeOut = 0;
    if (scene->fadeAlpha == 255)
        EndGame(play, *scene, *system);
}
