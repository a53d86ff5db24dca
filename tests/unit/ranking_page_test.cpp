// The ranking page: the heading and ten lines as the font glyphs spell them, cell by cell.
#include <string>

#include "tests/unit/title_fixture.h"

namespace {

constexpr uint32_t kPageStart = 25;  // title 7, bar 9, panel 9
constexpr int kCells = 100;

}  // namespace

class RankingTest : public TitleTest {
protected:
    // Line 0 is the heading, 1..10 the ranks: its text up to the first empty cell, after
    // checking that every cell is there, drawn last cell first at its place.
    std::string Line(int line) {
        const uint32_t first = kPageStart + static_cast<uint32_t>(line * kCells);
        const int32_t x0 = line == 0 ? 592 : 376;
        const int32_t y = line == 0 ? 24 : 72 + 56 * (line - 1);
        std::string text(kCells, '\0');
        for (int i = 0; i < kCells; ++i) {
            const DrawCommand& c = Draw(first + static_cast<uint32_t>(i));
            const int cell = kCells - 1 - i;
            EXPECT_EQ(c.dstX, x0 + 16 * cell);
            EXPECT_EQ(c.dstY, y);
            EXPECT_EQ(c.dstW, 32);
            EXPECT_EQ(c.dstH, 64);
            EXPECT_EQ(c.sheet, 6);
            EXPECT_EQ(c.color, 0xFFFFFFFFu);
            text[static_cast<size_t>(cell)] = static_cast<char>(GlyphChar(c));
        }
        return text.substr(0, text.find('\0'));
    }
};

TEST_F(RankingTest, EmptyTableShowsTenPaddedLinesOfZeros) {
    OpenPanel(kMenuRanking);
    Frame();
    ASSERT_EQ(DrawCount(), kPageStart + 11 * kCells + 41);
    EXPECT_EQ(Line(0), "RANKING");
    EXPECT_EQ(Line(1), " 1 1900/ 1/ 0  0: 0: 0          0");
    EXPECT_EQ(Line(10), "10 1900/ 1/ 0  0: 0: 0          0");
    // Empty cells draw the sheet's first cell.
    EXPECT_EQ(Draw(kPageStart).srcX, 0);
    EXPECT_EQ(Draw(kPageStart).srcY, 0);
}

TEST_F(RankingTest, EntriesShowTheirLocalDateTimeAndScoreRightAligned) {
    scene->rankingScores[0] = 1234567;
    scene->rankingDates[0] = CalendarTime{20, 13, 22, 14, 10, 123, 2, 317, 0};
    scene->rankingScores[9] = 20;
    scene->rankingDates[9] = CalendarTime{5, 4, 3, 2, 0, 99, 0, 0, 0};
    scene->rankingScores[10] = 999999;  // the newcomer's slot is never shown
    OpenPanel(kMenuRanking);
    Frame();
    EXPECT_EQ(Line(1), " 1 2023/11/14 22:13:20    1234567");
    EXPECT_EQ(Line(10), "10 1999/ 1/ 2  3: 4: 5         20");
    EXPECT_EQ(DrawCount(), kPageStart + 11 * kCells + 41);
}

TEST_F(RankingTest, ExtremeValuesFromADamagedFilePrintWithinTheLine) {
    scene->rankingScores[0] = INT32_MIN;
    scene->rankingDates[0] =
        CalendarTime{INT32_MIN, INT32_MIN, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 0, 0, 0};
    OpenPanel(kMenuRanking);
    Frame();
    EXPECT_EQ(Line(1),
              " 1 -2147481749/-2147483648/-2147483648 -2147483648:-2147483648:-2147483648 "
              "-2147483648");
}

TEST_F(RankingTest, PageAppearsOnlyOnceThePanelIsFullyOpen) {
    OpenMenu();
    Tap(kDownBit);
    Frames(7, 0, kDecisionBit);
    EXPECT_EQ(DrawCount(), kPageStart + 41);
    Frame(0, kDecisionBit);
    EXPECT_EQ(DrawCount(), kPageStart + 11 * kCells + 41);
}
