// The shape table, the generator's sequence and the queue it fills.
#include "game/pieces.h"

#include <gtest/gtest.h>

#include <random>

#include "game/game.h"
#include "game/play_state.h"
#include "platform/scripted_clock.h"

TEST(Pieces, EveryShapeHoldsItsKindsValueInFourCellsOrOne) {
    for (int kind = 0; kind < kPieceKinds; ++kind) {
        for (int r = 0; r < kOrientations; ++r) {
            int cells = 0;
            for (int i = 0; i < kBoxCells; ++i) {
                const int32_t v = ShapeTable[kind][r][i];
                EXPECT_TRUE(v == 0 || v == kind + 1) << kind << "/" << r << "/" << i;
                cells += v != 0;
            }
            EXPECT_EQ(cells, kind == kSingleCell ? 1 : 4) << kind << "/" << r;
        }
    }
}

TEST(Pieces, OrientationsThatRepeatAreIdentical) {
    auto same = [](int kind, int a, int b) {
        for (int i = 0; i < kBoxCells; ++i) {
            if (ShapeTable[kind][a][i] != ShapeTable[kind][b][i])
                return false;
        }
        return true;
    };
    for (int kind : {0, 1, 6}) {
        EXPECT_TRUE(same(kind, 0, 2));
        EXPECT_TRUE(same(kind, 1, 3));
        EXPECT_FALSE(same(kind, 0, 1));
    }
    for (int kind : {5, 7}) {
        for (int r = 1; r < 4; ++r) EXPECT_TRUE(same(kind, 0, r));
    }
    for (int kind : {2, 3, 4}) EXPECT_FALSE(same(kind, 0, 2));
}

TEST(PieceRandom, MatchesTheStandardGeneratorAcrossSeveralTwists) {
    for (uint32_t seed : {0u, 5489u, 1700000000u, 0xFFFFFFFFu}) {
        PieceRandom mine(seed);
        std::mt19937 standard(seed);
        for (int k = 0; k < 2000; ++k) ASSERT_EQ(mine.Next(), standard()) << seed << " #" << k;
    }
}

TEST(PieceRandom, DrawsAreTheTopThreeBitsInAPinnedSequence) {
    PieceRandom random(5489u);
    const int32_t expected[16] = {6, 1, 7, 6, 1, 7, 7, 1, 5, 2, 0, 4, 2, 1, 4, 7};
    for (int32_t kind : expected) EXPECT_EQ(DrawKind(random), kind);
}

TEST(PieceRandom, EveryKindIsDrawnOneTimeInEight) {
    int counts[kPieceKinds] = {};
    PieceRandom random(12345u);
    constexpr int kDraws = 80000;
    for (int k = 0; k < kDraws; ++k) {
        const PieceKind kind = DrawKind(random);
        ASSERT_GE(kind, 0);
        ASSERT_LT(kind, kPieceKinds);
        ++counts[kind];
    }
    for (int count : counts) EXPECT_NEAR(count, kDraws / 8, 400);
}

TEST(PieceRandom, SeedAddsCalendarSecondsAndBothIdentifiersWrapping) {
    SetScriptedCalendarSeconds(0x100000005LL);  // only the low 32 bits count
    theWindowThreadId = 0xFFFFFFF0u;
    theWindowProcessId = 20;
    EXPECT_EQ(SeedFor(), 5u + 0xFFFFFFF0u + 20u);
    theWindowThreadId = 0;
    theWindowProcessId = 0;
    SetScriptedCalendarSeconds(1700000000);
    EXPECT_EQ(SeedFor(), 1700000000u);
}

TEST(PieceQueue, FillsInDrawOrderAndAdvancesWithOneDraw) {
    PlayState play{};
    PieceRandom random(1700000000u);
    FillQueue(play, random);
    EXPECT_EQ(play.queueReady, 1);
    const int32_t first[8] = {1, 7, 2, 6, 5, 7, 5, 3};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(play.queue[k], first[k]);
    AdvanceQueue(play, random);  // the ninth draw of the same generator
    const int32_t advanced[8] = {7, 2, 6, 5, 7, 5, 3, 4};
    for (int k = 0; k < 8; ++k) EXPECT_EQ(play.queue[k], advanced[k]);
}
