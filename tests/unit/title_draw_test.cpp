// What one title frame submits, worked out by hand: positions, sources, colours and order.
#include "tests/unit/title_fixture.h"

namespace {

struct Expected {
    int32_t x, y, w, h, sx, sy, sw, sh;
    uint32_t color;
    int32_t sheet;
};

void ExpectDraw(const DrawCommand& c, const Expected& e, int index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(c.dstX, e.x);
    EXPECT_EQ(c.dstY, e.y);
    EXPECT_EQ(c.dstW, e.w);
    EXPECT_EQ(c.dstH, e.h);
    EXPECT_EQ(c.srcX, e.sx);
    EXPECT_EQ(c.srcY, e.sy);
    EXPECT_EQ(c.srcW, e.sw);
    EXPECT_EQ(c.srcH, e.sh);
    EXPECT_EQ(c.color, e.color);
    EXPECT_EQ(c.sheet, e.sheet);
    EXPECT_EQ(c.scaleX, 1.0f);
    EXPECT_EQ(c.scaleY, 1.0f);
    EXPECT_EQ(c.flip, 0);
    EXPECT_EQ(c.blendMode, 0);
    EXPECT_EQ(c.roll | c.yaw | c.pitch, 0);
}

constexpr uint32_t W = 0xFFFFFFFF;
constexpr uint32_t F = 0xBFFFFFFF;  // the first box's frame

}  // namespace

TEST_F(TitleTest, FirstFrameDrawsBackgroundLogoItemsBarFadeBandsAndStatusLine) {
    Frame();
    // Bob 0 -> 1, scroll 0 -> 3, the menu one frame open: bar h = 6 * 1 / 8 = 0 at
    // y = 470 + (6 * 7) / 16 = 472.
    const Expected e[] = {
        {16, 3, 1536, 768, 0, 0, 512, 256, W, 0},
        {16, 3 - 720, 1536, 768, 0, 0, 512, 256, W, 0},
        {446, 144, 480, 120, 0, 0, 160, 40, W, 2},
        {644, 144, 408, 120, 0, 48, 136, 40, W, 2},
        {512, 401, 288, 96, 160, 0, 96, 32, W, 2},
        {512, 504, 288, 96, 160, 32, 96, 32, W, 2},
        {512, 600, 288, 96, 160, 64, 96, 32, W, 2},
        {472, 476, 376, -8, 160, 0, 16, 16, 0x7FFFFFFF, 5},
        {468, 472, 4, 4, 160, 16, 4, 4, F, 5},
        {848, 472, 4, 4, 172, 16, 4, 4, F, 5},
        {468, 468, 4, 4, 160, 28, 4, 4, F, 5},
        {848, 468, 4, 4, 172, 28, 4, 4, F, 5},
        {472, 472, 376, 4, 164, 16, 4, 4, F, 5},
        {468, 476, 4, -8, 160, 20, 4, 4, F, 5},
        {472, 468, 376, 4, 164, 28, 4, 4, F, 5},
        {848, 476, 4, -8, 172, 20, 4, 4, F, 5},
        {0, 0, 1280, 720, 32, 0, 16, 16, 0x00FFFFFF, 120},
        {-256, -256, 1760, 256, 32, 0, 16, 16, W, 120},
        {-256, 720, 1760, 256, 32, 0, 16, 16, W, 120},
        {-240, -256, 256, 1232, 32, 0, 16, 16, W, 120},
        {1264, -256, 256, 1232, 32, 0, 16, 16, W, 120},
    };
    const int n = sizeof e / sizeof e[0];
    ASSERT_EQ(DrawCount(), static_cast<uint32_t>(n + 36));
    for (int k = 0; k < n; ++k) ExpectDraw(Draw(k), e[k], k);
    // The status line " %8d %8d %8d %8d" of zeros: a '0' glyph (0x30) in every ninth cell.
    for (int i = 0; i < 36; ++i) {
        const uint32_t c = i % 9 == 8 ? '0' : ' ';
        ExpectDraw(Draw(n + i),
                   {10 * i, 720, 16, 32, static_cast<int32_t>((c % 16) * 16),
                    static_cast<int32_t>((c / 16) * 32), 16, 32, W, 6},
                   n + i);
    }
}

TEST_F(TitleTest, BoxFrameColourShowsFromTheNextBoxAndTheOpenBarIsSixHigh) {
    Frames(9);
    // Fully open: the bar at y 470, 6 high, framed in white at alpha 0 + 64.
    const DrawCommand& centre = Draw(7);
    EXPECT_EQ(centre.dstY, 474);
    EXPECT_EQ(centre.dstH, -2);
    EXPECT_EQ(Draw(8).dstY, 470);
    EXPECT_EQ(Draw(8).color, 0x40FFFFFFu);
    EXPECT_EQ(Draw(7).color, 0x7FFFFFFFu);
}

TEST_F(TitleTest, ChosenItemBobsInA32FrameTriangleAndTheBackgroundWrapsAt720) {
    int32_t ys[40];
    for (int32_t& y : ys) {
        Frame();
        y = Draw(4).dstY - 400;  // item 0, the chosen one
    }
    for (int k = 0; k < 16; ++k) EXPECT_EQ(ys[k], k + 1) << k;
    for (int k = 16; k < 32; ++k) EXPECT_EQ(ys[k], 31 - k) << k;
    EXPECT_EQ(ys[32], 1);
    EXPECT_EQ(Draw(5).dstY, 504);  // the others stand still

    Frames(200);
    EXPECT_EQ(theTitleAnimation.titleScroll, 0);  // 240 frames of 3 pixels
    Frame();
    EXPECT_EQ(Draw(0).dstY, 3);
    EXPECT_EQ(Draw(1).dstY, -717);
}

TEST_F(TitleTest, CursorBarFollowsTheCursorAndTheChosenItemRises) {
    OpenMenu();
    Tap(kDownBit);
    Frame();
    EXPECT_EQ(Draw(4).dstY, 408);
    EXPECT_EQ(Draw(5).dstY, 400 + 96 + theTitleAnimation.titleBob);
    EXPECT_EQ(Draw(8).dstY, 470 + 96);
}
