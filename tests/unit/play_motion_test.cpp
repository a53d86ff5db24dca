// The falling piece frame by frame: the well, sideways auto-repeat, turns, the fall, the soft
// drop, the lock timing and the step that trusts last frame's contact flags.
#include "game/play_motion.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/unit/game_frames.h"

namespace {

constexpr uint8_t kZ = 'Z';
constexpr uint8_t kX = 'X';

// One frame sets the game up; then the falling piece is the test's, at its spawn position,
// with its own contact flags (the next frame's sideways step reads them).
void StartWith(GameFrames& g, PieceKind kind) {
    g.Run(1);
    g.play.queue[0] = kind;
    SpawnPiece(g.play);
    g.play.fallCounter = 0;
    g.play.softDropCounter = 0;
    ComputeBoxCoordinates(g.play);
    ComputeContactFlags(g.play);
}

void SetCell(GameFrames& g, int row, int column, int32_t value) {
    g.play.grid[row * kGridColumns + column] = value;
}

// Frames (from 1) in which pieceX changed while the keys were held.
std::vector<int> StepFrames(GameFrames& g, int frames) {
    std::vector<int> steps;
    for (int f = 1; f <= frames; ++f) {
        const int32_t before = g.play.pieceX;
        g.Run(1);
        if (g.play.pieceX != before)
            steps.push_back(f);
    }
    return steps;
}

}  // namespace

TEST(PlayMotion, TheWellHasWallsAFloorAndAnOpenRowBelow) {
    GameFrames g;
    g.Run(1);
    EXPECT_EQ(g.play.queueReady, 1);
    for (int row = 0; row < kGridRows; ++row) {
        for (int column = 0; column < kGridColumns; ++column) {
            int32_t expected = 0;
            if (row <= 28 && (column == 0 || column == 11))
                expected = 9;
            if (row == 28)
                expected = 9;
            EXPECT_EQ(g.play.grid[row * 12 + column], expected) << row << "," << column;
        }
    }
    // The spawn box covers columns 4..7 and rows 0..3.
    EXPECT_EQ(g.play.boxColumns[0], 4);
    EXPECT_EQ(g.play.boxColumns[15], 7);
    EXPECT_EQ(g.play.boxRows[0], 0);
    EXPECT_EQ(g.play.boxRows[15], 3);
}

TEST(PlayMotion, AutoRepeatStepsAtOnceThen24FramesLaterThenEveryThird) {
    GameFrames g;
    StartWith(g, 5);  // the square, in grid columns 5 and 6
    g.Keys({kVkRight});
    EXPECT_EQ(StepFrames(g, 40), (std::vector<int>{1, 25, 28, 31}));
    // Four steps took it to the right wall: held there, the counter waits at 24.
    EXPECT_EQ(g.play.pieceX, 96 + 4 * 24);
    EXPECT_EQ(g.play.blockedRight, 1);
    EXPECT_EQ(g.play.repeatCounter, 24);
    EXPECT_EQ(g.play.fastRepeat, 1);
    // Released, the counter is ready and the next press steps at once.
    g.Run(1, {});
    EXPECT_EQ(g.play.fastRepeat, 0);
    g.Keys({kVkLeft});
    EXPECT_EQ(StepFrames(g, 25), (std::vector<int>{1, 25}));
}

TEST(PlayMotion, LeftWinsOverRightAndABlockedLeftMovesNothing) {
    GameFrames g;
    StartWith(g, 5);
    g.Run(1, {kVkLeft, kVkRight});
    EXPECT_EQ(g.play.pieceX, 72);
    g.play.pieceX = 0;  // square against the left wall
    g.play.repeatCounter = 24;
    g.Run(1, {});
    g.Run(3, {kVkLeft, kVkRight});
    EXPECT_EQ(g.play.pieceX, 0);
    EXPECT_EQ(g.play.repeatCounter, 24);
}

TEST(PlayMotion, ABlockedStepWaitsAtTheReadyCountAndGoesOnceTheSideIsClear) {
    GameFrames g;
    StartWith(g, 7);  // the single cell, grid column 5, row 2
    SetCell(g, 2, 4, 3);
    ComputeContactFlags(g.play);
    g.Run(5, {kVkLeft});
    EXPECT_EQ(g.play.pieceX, 96);
    EXPECT_EQ(g.play.repeatCounter, 24);
    SetCell(g, 2, 4, 0);
    g.Run(1);  // this frame's step still trusts the flags taken beside the block
    EXPECT_EQ(g.play.pieceX, 96);
    g.Run(1);
    EXPECT_EQ(g.play.pieceX, 72);
}

TEST(PlayMotion, HoldingDecisionStopsStepsButNotTheCount) {
    GameFrames g;
    StartWith(g, 5);
    g.Run(1, {kVkRight});
    EXPECT_EQ(g.play.pieceX, 120);
    g.Run(29, {kVkRight, kZ});
    EXPECT_EQ(g.play.pieceX, 120);
    EXPECT_EQ(g.play.repeatCounter, 24);
    g.Run(1, {kVkRight});
    EXPECT_EQ(g.play.pieceX, 144);
}

TEST(PlayMotion, TurnsOncePerPressAndBothButtonsCancelOut) {
    GameFrames g;
    StartWith(g, 2);  // the T
    g.Run(10, {kZ});
    EXPECT_EQ(g.play.orientation, 1);
    EXPECT_EQ(g.play.rotateCwLatch, 1);
    g.Run(1, {});
    g.Run(1, {kZ});
    EXPECT_EQ(g.play.orientation, 2);
    g.Run(1, {});
    g.Run(3, {kX});
    EXPECT_EQ(g.play.orientation, 1);
    g.Run(1, {});
    g.Run(1, {kZ, kX});  // clockwise first, then back from its result
    EXPECT_EQ(g.play.orientation, 1);
    EXPECT_EQ(g.play.rotateCwLatch, 1);
    EXPECT_EQ(g.play.rotateCcwLatch, 1);
    g.Run(1, {});
    g.Run(1, {kX});
    g.Run(1, {});
    g.Run(1, {kX});
    EXPECT_EQ(g.play.orientation, 3);  // 1 -> 0 -> 3
}

TEST(PlayMotion, TheUpArrowTurnsClockwiseInTheGame) {
    GameFrames g;
    StartWith(g, 3);
    g.Run(4, {kVkUp});
    EXPECT_EQ(g.play.orientation, 1);
}

TEST(PlayMotion, ATurnThatWouldOverlapDoesNotHappenAndNothingShifts) {
    GameFrames g;
    StartWith(g, 6);    // the bar, upright in box column 1
    g.play.pieceX = 0;  // the bar in grid column 1, against the wall
    g.Run(1, {kZ});
    EXPECT_EQ(g.play.orientation, 0);
    EXPECT_EQ(g.play.pieceX, 0);
    EXPECT_EQ(g.play.rotateCwLatch, 1);
    // Against a stack: a block where the lying bar's third cell would be.
    g.Run(1, {});
    g.play.pieceX = 96;
    SetCell(g, g.play.pieceY / 24 + 2, 6, 4);
    g.Run(1, {kZ});
    EXPECT_EQ(g.play.orientation, 0);
    SetCell(g, g.play.pieceY / 24 + 2, 6, 0);
    g.Run(1, {});
    g.Run(1, {kZ});
    EXPECT_EQ(g.play.orientation, 1);
}

TEST(PlayMotion, AFreePieceFallsEvery61FramesAtTheFirstLevelAnd7AtTheLast) {
    for (int32_t level : {0, 9}) {
        GameFrames g;
        StartWith(g, 5);
        g.play.levelIndex = level;
        const int period = (10 - level) * 6 + 1;
        std::vector<int> falls;
        for (int f = 1; f <= 3 * period; ++f) {
            const int32_t before = g.play.pieceY;
            g.Run(1);
            if (g.play.pieceY != before)
                falls.push_back(f);
        }
        EXPECT_EQ(falls, (std::vector<int>{period, 2 * period, 3 * period})) << level;
    }
}

TEST(PlayMotion, SoftDropFallsEveryThirdFrameForAPointAndNotAtRest) {
    GameFrames g;
    StartWith(g, 5);
    g.Run(9, {kVkDown});
    EXPECT_EQ(g.play.pieceY, 72);
    EXPECT_EQ(g.play.score, 3);
    EXPECT_EQ(g.play.fallCounter, 0);
    g.play.pieceY = 600;  // the square on the floor
    g.Run(9, {kVkDown});
    EXPECT_EQ(g.play.pieceY, 600);
    EXPECT_EQ(g.play.score, 3);
}

TEST(PlayMotion, APieceLocksInTheThirtyFirstFrameItRests) {
    GameFrames g;
    StartWith(g, 5);
    const int32_t next = g.play.queue[1];
    g.play.pieceY = 600;  // the square's rows 1 and 2 in grid rows 26 and 27
    g.Run(30);
    EXPECT_EQ(g.play.lockCounter, 30);
    EXPECT_EQ(g.play.pieceY, 600);
    g.Run(1);
    for (int row : {26, 27}) {
        for (int column : {5, 6}) EXPECT_EQ(g.play.grid[row * 12 + column], 6);
    }
    EXPECT_EQ(g.play.score, 20);
    EXPECT_EQ(g.play.queue[0], next);
    EXPECT_EQ(g.play.pieceX, 96);
    EXPECT_EQ(g.play.pieceY, 0);
    EXPECT_EQ(g.play.lockCounter, 0);
    EXPECT_EQ(g.play.consecutiveLocks, 1);
}

TEST(PlayMotion, MovedOffItsLedgeInTheLastFrameItDoesNotLock) {
    GameFrames g;
    StartWith(g, 5);
    g.play.pieceY = 24 * 20;  // the square's bottom row in grid row 22
    SetCell(g, 23, 6, 2);     // a ledge under its right column only
    g.Run(30);
    EXPECT_EQ(g.play.lockCounter, 30);
    g.Run(1, {kVkLeft});  // the square in columns 4 and 5: nothing below it
    EXPECT_EQ(g.play.pieceX, 72);
    EXPECT_EQ(g.play.landed, 0);
    EXPECT_EQ(g.play.lockCounter, 0);
    EXPECT_EQ(g.play.grid[22 * 12 + 5], 0);
    g.Run(1, {});
    EXPECT_EQ(g.play.fallCounter, 1);  // free again
}

TEST(PlayMotion, RightAfterAFallTheSideStepTrustsTheRowAbove) {
    GameFrames g;
    StartWith(g, 7);          // the single cell: box row 2, column 1
    g.play.pieceY = 24 * 24;  // the cell in grid row 26, column 5
    SetCell(g, 27, 4, 3);     // a block down and to the left
    g.play.fallCounter = 60;
    g.Run(1);  // flags taken in row 26, then the fall to row 27
    EXPECT_EQ(g.play.pieceY, 24 * 25);
    EXPECT_EQ(g.play.blockedLeft, 0);
    g.Run(1, {kVkLeft});  // steps into the block's cell
    EXPECT_EQ(g.play.pieceX, 72);
    g.Run(30, {});
    EXPECT_EQ(g.play.grid[27 * 12 + 4], 3);  // the block keeps its value
    EXPECT_EQ(g.play.score, 200);            // a single cell locks for 200
}

TEST(PlayMotion, LocksInOneSecondAppendTheKindAGameSetUpThenStartsWith) {
    GameFrames g;
    g.Run(1);
    const int32_t firstOfTheSecond = g.play.queue[0];
    for (int lock = 1; lock <= 2; ++lock) {
        g.play.queue[0] = 5;
        g.play.pieceY = lock == 1 ? 600 : 552;  // on the floor, then on the first square
        g.Run(31);
        ASSERT_EQ(g.play.pieceY, 0) << lock;
        EXPECT_EQ(g.play.queue[7], firstOfTheSecond) << lock;
    }
    EXPECT_EQ(g.play.queue[6], firstOfTheSecond);
}
