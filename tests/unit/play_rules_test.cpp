// Rows, levels and the row score, alone and as one play frame sees them.
#include "game/play_rules.h"

#include <gtest/gtest.h>

#include "game/play_motion.h"
#include "game/play_state.h"
#include "tests/unit/game_frames.h"

namespace {

void FillRow(PlayState& play, int row, int32_t value) {
    for (int column = 1; column <= 10; ++column) play.grid[row * 12 + column] = value;
}

int32_t Cell(const PlayState& play, int row, int column) {
    return play.grid[row * 12 + column];
}

// A frame with the falling piece high up and out of the way of the rows under test.
void RunFrameWithFullRows(GameFrames& g, std::initializer_list<int> rows) {
    for (int row : rows) FillRow(g.play, row, 2);
    g.Run(1);
}

}  // namespace

TEST(PlayRules, AFullRowDropsTheRowsAboveAndRowZeroStays) {
    PlayState play{};
    SetUpGrid(play);
    for (int row = 0; row < 5; ++row) play.grid[row * 12 + 3] = row + 1;  // a marker per row
    FillRow(play, 5, 4);
    EXPECT_EQ(ClearFullRows(play), 1);
    EXPECT_EQ(Cell(play, 0, 3), 1);  // row 0 keeps its cells and shows them twice
    for (int row = 1; row <= 5; ++row) EXPECT_EQ(Cell(play, row, 3), row) << row;
    EXPECT_EQ(Cell(play, 5, 1), 0);
    EXPECT_EQ(Cell(play, 5, 0), 9);  // walls are never moved
    EXPECT_EQ(play.linesTowardLevel, 1);

    PlayState top{};
    SetUpGrid(top);
    FillRow(top, 0, 8);
    EXPECT_EQ(ClearFullRows(top), 1);
    for (int column = 1; column <= 10; ++column) EXPECT_EQ(Cell(top, 0, column), 0);
    EXPECT_EQ(Cell(top, 0, 0), 9);
}

TEST(PlayRules, SeveralRowsClearInOneScanAndTheFloorNeverCounts) {
    PlayState play{};
    SetUpGrid(play);
    FillRow(play, 25, 1);
    play.grid[26 * 12 + 4] = 5;
    FillRow(play, 27, 1);
    EXPECT_EQ(ClearFullRows(play), 2);
    EXPECT_EQ(Cell(play, 27, 4), 5);  // row 26 came down past the cleared row 27
    EXPECT_EQ(Cell(play, 26, 4), 0);
    EXPECT_EQ(ClearFullRows(play), 0);
    for (int column = 0; column < 12; ++column) EXPECT_EQ(Cell(play, 28, column), 9);
}

TEST(PlayRules, TheLevelRisesEveryTwentyRowsUpToTheTenth) {
    PlayState play{};
    play.linesTowardLevel = 23;
    StepLevel(play);
    EXPECT_EQ(play.levelIndex, 1);
    EXPECT_EQ(play.linesTowardLevel, 0);  // the three past twenty are lost
    play.levelIndex = 9;
    play.linesTowardLevel = 20;
    StepLevel(play);
    EXPECT_EQ(play.levelIndex, 9);
    EXPECT_EQ(play.linesTowardLevel, 0);
    play.linesTowardLevel = 19;
    StepLevel(play);
    EXPECT_EQ(play.linesTowardLevel, 19);
}

TEST(PlayRules, FourRowsAtLevelIndexTwoScore4800WithTheirOwnEffect) {
    GameFrames g;
    g.Run(1);
    g.play.levelIndex = 2;
    RunFrameWithFullRows(g, {24, 25, 26, 27});
    EXPECT_EQ(g.play.score, 4800);
    EXPECT_EQ(g.Effects(), (std::vector<int32_t>{11}));
    EXPECT_EQ(g.play.linesTowardLevel, 4);
}

TEST(PlayRules, OneRowAtTheFirstLevelScores200) {
    GameFrames g;
    g.Run(1);
    RunFrameWithFullRows(g, {27});
    EXPECT_EQ(g.play.score, 200);
    EXPECT_EQ(g.Effects(), (std::vector<int32_t>{14}));
    g.Run(1);
    EXPECT_TRUE(g.Effects().empty());
}

TEST(PlayRules, TheLevelStepComesBeforeTheRowScore) {
    GameFrames g;
    g.Run(1);
    g.play.linesTowardLevel = 19;
    RunFrameWithFullRows(g, {26, 27});
    EXPECT_EQ(g.play.levelIndex, 1);
    EXPECT_EQ(g.play.linesTowardLevel, 0);
    EXPECT_EQ(g.play.score, 400 * 2);
    EXPECT_EQ(g.Effects(), (std::vector<int32_t>{14}));
}

TEST(PlayRules, RowsClearWhilePaused) {
    GameFrames g;
    g.Run(1);
    g.scene.block.pauseFlag = 1;
    g.scene.block.pauseState = 4;
    RunFrameWithFullRows(g, {10, 11, 12});
    EXPECT_EQ(g.play.score, 800);
}

TEST(PlayRules, AfterFourLocksInARowARestingPieceCountsTowardsTheEnd) {
    PlayState play{};
    play.landed = 1;
    play.consecutiveLocks = 3;
    CountBlockedFrame(play);
    EXPECT_EQ(play.gameOverCounter, 0);
    play.consecutiveLocks = 4;
    CountBlockedFrame(play);
    EXPECT_EQ(play.gameOverCounter, 1);
    play.landed = 0;
    CountBlockedFrame(play);
    EXPECT_EQ(play.gameOverCounter, 1);
}
