// The end of a game: blocked pieces, the curtain, the picture, the cover fade, the ranking
// entry and the reset, with the frame counts worked out by hand.
#include "game/game_over.h"

#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/scripted_clock.h"
#include "tests/unit/game_frames.h"

namespace {

constexpr int64_t kEndSeconds = 1712345678;

// Rows 3..27 filled but for column 10, so every square that appears rests at once and no
// row is ever full. The first five pieces are squares (four-cell: 20 points each).
void BlockTheWell(GameFrames& g) {
    g.Run(1);  // frame 1 sets the game up
    for (int row = 3; row <= 27; ++row) {
        for (int column = 1; column <= 9; ++column) g.play.grid[row * 12 + column] = 1;
    }
    for (int k = 0; k < 5; ++k) g.play.queue[k] = 5;
}

int CountSheet(const std::vector<DrawCommand>& commands, int32_t sheet, int32_t srcY) {
    int n = 0;
    for (const DrawCommand& c : commands) n += c.sheet == sheet && c.srcY == srcY;
    return n;
}

void FillRanking(MapSceneEntity& scene, const int32_t (&scores)[10]) {
    for (int k = 0; k < 10; ++k) {
        scene.rankingScores[k] = scores[k];
        scene.rankingDates[k] = CalendarTime{};
        scene.rankingDates[k].day = k + 1;  // tells the entries apart
    }
}

}  // namespace

TEST(GameOver, BlockedPiecesRunTheSequenceToTheRankingAndTheTitle) {
    GameFrames g;
    SetScriptedCalendarSeconds(kEndSeconds);
    FillRanking(g.scene, {900, 500, 300, 200, 150, 120, 100, 90, 80, 10});
    BlockTheWell(g);
    g.Run(124);  // frames 2..125: four squares lock at frames 32, 63, 94, 125
    EXPECT_EQ(g.play.consecutiveLocks, 4);
    EXPECT_EQ(g.play.score, 80);
    EXPECT_EQ(g.play.gameOverCounter, 0);

    g.Run(1);  // frame 126: the fifth rests, counts one, draws one band, counts again
    EXPECT_EQ(g.play.gameOverCounter, 2);
    EXPECT_EQ(CountSheet(g.Commands(), 3, 248), 1);
    g.Run(15);  // frame 141: two a frame
    EXPECT_EQ(g.play.gameOverCounter, 32);
    EXPECT_EQ(CountSheet(g.Commands(), 2, 43), 0);
    g.Run(1);  // frame 142: past 32, the picture, and one a frame from here
    EXPECT_EQ(g.play.gameOverCounter, 34);
    EXPECT_EQ(g.play.consecutiveLocks, 0);
    EXPECT_EQ(CountSheet(g.Commands(), 2, 43), 1);
    EXPECT_EQ(CountSheet(g.Commands(), 3, 248), 33);
    EXPECT_EQ(g.play.lockCounter, 1);  // no piece locks once the count runs

    g.Run(222);  // frame 364
    EXPECT_EQ(g.play.gameOverCounter, 256);
    EXPECT_EQ(g.scene.fadeIn, 0);
    g.Run(1);  // frame 365: past 256, the cover fade starts
    EXPECT_EQ(g.scene.fadeIn, 1);
    g.Run(50);  // frames 366..415 bring the cover to 250
    EXPECT_EQ(g.scene.fadeAlpha, 250);
    EXPECT_EQ(g.scene.sceneNumber, kSceneGame);

    g.Run(1);  // frame 416: covered, the game ends
    EXPECT_EQ(g.scene.sceneNumber, kSceneTitle);
    EXPECT_EQ(g.scene.fadeAlpha, 255);
    EXPECT_EQ(g.scene.fadeIn, 0);
    EXPECT_EQ(g.scene.fadeOut, 1);
    EXPECT_EQ(g.scene.backgroundNumber, 0);
    EXPECT_EQ(g.scene.backgroundChangeRequest, 1);
    EXPECT_EQ(g.system.bgmTrack, 0);
    EXPECT_EQ(g.system.bgmRestart, 0);
    EXPECT_EQ(g.scene.endTime, kEndSeconds);

    // 80 ties with entry 8's older 80 and ranks below it; 10 drops out to entry 10.
    const int32_t ranked[11] = {900, 500, 300, 200, 150, 120, 100, 90, 80, 80, 10};
    for (int k = 0; k < 11; ++k) EXPECT_EQ(g.scene.rankingScores[k], ranked[k]) << k;
    EXPECT_EQ(g.scene.rankingDates[8].day, 9);
    CalendarTime expected{};
    ASSERT_TRUE(LocalCalendar(kEndSeconds, &expected));
    EXPECT_EQ(g.scene.rankingDates[9].day, expected.day);
    EXPECT_EQ(g.scene.rankingDates[9].second, expected.second);
    EXPECT_EQ(g.scene.rankingDates[9].year, expected.year);
    EXPECT_EQ(g.scene.rankingDates[10].day, 10);

    // The play state is ready for a new game, which starts from nothing.
    EXPECT_EQ(g.play.queueReady, 0);
    for (int32_t cell : g.play.grid) EXPECT_EQ(cell, 0);
    for (int32_t entry : g.play.queue) EXPECT_EQ(entry, 0);
    EXPECT_EQ(g.play.gameOverCounter, 0);
    EXPECT_EQ(g.play.pieceX, 96);
    EXPECT_EQ(g.play.repeatCounter, 24);
    EXPECT_EQ(g.play.score, 0);
    EXPECT_EQ(g.play.levelIndex, 0);
    EXPECT_EQ(g.play.linesTowardLevel, 0);
}

TEST(GameOver, AScoreEqualToTheTenthStaysOutOfTheTable) {
    MapSceneEntity* scene = new MapSceneEntity();
    FillRanking(*scene, {900, 800, 700, 600, 500, 400, 300, 200, 100, 50});
    scene->rankingScores[10] = 50;
    SortRanking(*scene);
    EXPECT_EQ(scene->rankingScores[9], 50);
    EXPECT_EQ(scene->rankingDates[9].day, 10);  // the old entry keeps its place
    EXPECT_EQ(scene->rankingScores[10], 50);

    // A new best climbs all the way, taking its date with it.
    scene->rankingScores[10] = 1000;
    scene->rankingDates[10].day = 31;
    SortRanking(*scene);
    EXPECT_EQ(scene->rankingScores[0], 1000);
    EXPECT_EQ(scene->rankingDates[0].day, 31);
    EXPECT_EQ(scene->rankingScores[1], 900);
    EXPECT_EQ(scene->rankingScores[10], 50);
    delete scene;
}

TEST(GameOver, PausingFreezesTheCurtainWhereItIs) {
    GameFrames g;
    g.Run(1);
    g.play.gameOverCounter = 40;
    g.Run(1);
    EXPECT_EQ(g.play.gameOverCounter, 41);
    g.Run(1, {'A'});
    EXPECT_EQ(g.scene.block.pauseFlag, 1);
    g.Run(20, {});
    EXPECT_EQ(g.play.gameOverCounter, 41);
    EXPECT_EQ(CountSheet(g.Commands(), 3, 248), 0);
    g.Run(1, {'A'});  // the pause closes at once
    EXPECT_EQ(g.play.gameOverCounter, 42);
    EXPECT_EQ(CountSheet(g.Commands(), 3, 248), 41);
}

TEST(GameOver, ThirtyBandsRiseFromTheBottomOfTheScreen) {
    GameFrames g;
    g.Run(1);
    g.play.gameOverCounter = 30;
    g.Run(1);
    std::vector<DrawCommand> bands;
    for (const DrawCommand& c : g.Commands()) {
        if (c.sheet == 3 && c.srcY == 248)
            bands.push_back(c);
    }
    ASSERT_EQ(bands.size(), 30u);
    EXPECT_EQ(bands.front().dstY, 720);
    EXPECT_EQ(bands.back().dstY, 24);
    EXPECT_EQ(bands.front().dstX, 16);
    EXPECT_EQ(bands.front().dstW, 1280);
    EXPECT_EQ(bands.front().dstH, 24);
    EXPECT_EQ(bands.front().srcW, 416);
    EXPECT_EQ(bands.front().srcH, 8);
    EXPECT_FLOAT_EQ(bands.front().pivotX, 12.0f);
    EXPECT_EQ(g.play.gameOverCounter, 31);
}

TEST(GameOver, OnceTheCountRunsNothingLocksEvenAfterAFall) {
    GameFrames g;
    g.Run(1);
    g.play.pieceY = 600;
    g.play.gameOverCounter = 1;
    g.Run(40);
    EXPECT_EQ(g.play.score, 0);
    EXPECT_EQ(g.play.pieceY, 600);
    EXPECT_EQ(g.play.gameOverCounter, 41);
}
