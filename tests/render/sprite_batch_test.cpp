// The sprite batch on a real device: each blend kind's result read back from the frame, the
// pictures' transparency, flips and pixel bounds, and merged draws against one per command.
#include <cmath>

#include "game/system.h"
#include "render/gl_local.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"

namespace {

// The palette of the test sheets; 5-bit texels read back as round(v / 31 x 255).
const std::vector<std::array<uint8_t, 3>> kPalette = {
    {0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {128, 128, 128}};
enum : int32_t { kWhite = 0, kRed = 1, kGreen = 2, kBlue = 3, kGrey = 4, kPattern = 5 };
constexpr int kGreyLevel = 132;  // 128 >> 3 = 16 of 31

uint8_t Index(int k) {
    return static_cast<uint8_t>(k);
}

// Sheet kPattern: a checkerboard of transparent and white 4 x 4 cells at the top left;
// quadrants of the 16 x 16 cell at (32, 0) red, green, blue, white; an 8 x 8 tile at (64, 0)
// with a red left column and top row, green inside.
uint8_t PaintPattern(int x, int y) {
    if (x < 32 && y < 32)
        return Index((x / 4 + y / 4) % 2 == 0 ? 0 : 1);
    if (x >= 32 && x < 48 && y < 16) {
        const bool right = x >= 40;
        const bool bottom = y >= 8;
        return Index(bottom ? (right ? 1 : 4) : (right ? 3 : 2));
    }
    if (x >= 64 && x < 72 && y < 8)
        return Index(x == 64 || y == 0 ? 2 : 3);
    return 1;
}

class SpriteBatch : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        MakeSheet(kWhite, kPalette, [](int, int) { return Index(1); });
        MakeSheet(kRed, kPalette, [](int, int) { return Index(2); });
        MakeSheet(kGreen, kPalette, [](int, int) { return Index(3); });
        MakeSheet(kBlue, kPalette, [](int, int) { return Index(4); });
        MakeSheet(kGrey, kPalette, [](int, int) { return Index(5); });
        MakeSheet(kPattern, kPalette, PaintPattern);
    }
    static DrawCommand Screen(int32_t sheet, uint32_t color = 0xFFFFFFFF) {
        return Sprite(0, 0, 1280, 720, sheet, color);
    }
    static DrawCommand Piece(int32_t x, int32_t y, int32_t w, int32_t h, int32_t srcX, int32_t srcY,
                             int32_t srcW, int32_t srcH) {
        DrawCommand c = Sprite(x, y, w, h, kPattern);
        c.srcX = srcX;
        c.srcY = srcY;
        c.srcW = srcW;
        c.srcH = srcH;
        return c;
    }
};

}  // namespace

TEST_F(SpriteBatch, AnEmptyListClearsTheFrameToBlack) {
    Draw({Screen(kWhite)});
    ASSERT_TRUE(Near(Pixel(640, 360), {255, 255, 255}, 0));
    Draw({});
    for (auto [x, y] : {std::pair{0, 0}, {1279, 719}, {640, 360}, {0, 719}}) {
        EXPECT_TRUE(Near(Pixel(x, y), {0, 0, 0}, 0));
    }
}

TEST_F(SpriteBatch, EachBlendKindWritesItsEquation) {
    // Kind 0: white and opaque draws the picture itself over what was below.
    Draw({Screen(kRed), Sprite(100, 100, 50, 50, kBlue)});
    EXPECT_TRUE(Near(Pixel(120, 120), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(Pixel(99, 120), {255, 0, 0}, 0));

    // Kind 1: alpha 128 mixes by F = 128/256 x 255/256 whatever the picture's own alpha.
    Draw({Screen(kRed), Sprite(100, 100, 50, 50, kWhite, 0x80FFFFFF)});
    const double f = 128.0 / 256 * 255 / 256;
    EXPECT_TRUE(Near(Pixel(120, 120), {255, static_cast<int>(std::lround(255 * f)),
                                       static_cast<int>(std::lround(255 * f))}));

    // Kind 2: red tint, opaque: the picture's red scaled by F, the rest and what was below
    // gone.
    Draw({Screen(kGreen), Sprite(100, 100, 50, 50, kWhite, 0xFFFF0000)});
    EXPECT_TRUE(Near(Pixel(120, 120),
                     {static_cast<int>(std::lround(255.0 * 255 / 256 * 255 / 256)), 0, 0}));

    // Kind 3 (blend mode 1): src x (1 - F) + dst x dst.
    DrawCommand alternative = Sprite(100, 100, 50, 50, kWhite, 0xFF808080);
    alternative.blendMode = 1;
    Draw({Screen(kGrey), alternative});
    const double dst = kGreyLevel / 255.0;
    const int mixed = static_cast<int>(std::lround(255 * (1 - f + dst * dst)));
    EXPECT_TRUE(Near(Pixel(120, 120), {mixed, mixed, mixed}));

    // Any other blend mode draws as kind 0, its colour ignored.
    DrawCommand other = Sprite(100, 100, 50, 50, kBlue, 0x20FF0000);
    other.blendMode = 7;
    Draw({Screen(kRed), other});
    EXPECT_TRUE(Near(Pixel(120, 120), {0, 0, 255}, 0));
}

// The fade overlay has no picture: it samples as opaque black and darkens by about a/256.
TEST_F(SpriteBatch, TheFadeOverlayDarkensInProportionToItsAlpha) {
    for (uint32_t a : {0u, 1u, 64u, 127u, 128u, 200u, 254u}) {
        SCOPED_TRACE(a);
        Draw({Screen(kWhite), Screen(120, (a << 24) | 0xFFFFFFu)});
        const double f = a / 256.0 * 255 / 256;
        const int level = static_cast<int>(std::lround(255 * (1 - f)));
        EXPECT_TRUE(Near(Pixel(640, 360), {level, level, level}));
    }
    // Opaque, it is kind 0: black.
    Draw({Screen(kWhite), Screen(120)});
    EXPECT_TRUE(Near(Pixel(640, 360), {0, 0, 0}, 0));
}

TEST_F(SpriteBatch, SheetsWithoutAPictureDrawOpaqueBlack) {
    for (int32_t sheet : {8, 63, 64, 120, -1, 600}) {
        SCOPED_TRACE(sheet);
        Draw({Screen(kWhite), Sprite(10, 10, 20, 20, sheet)});
        EXPECT_TRUE(Near(Pixel(15, 15), {0, 0, 0}, 0));
        EXPECT_TRUE(Near(Pixel(35, 15), {255, 255, 255}, 0));
    }
}

TEST_F(SpriteBatch, IndexZeroTexelsLeaveWhatIsBelow) {
    // The 32 x 32 checkerboard of 4 x 4 cells, drawn unscaled at (200, 100).
    DrawCommand board = Piece(200, 100, 32, 32, 0, 0, 32, 32);
    Draw({Screen(kRed), board});
    EXPECT_TRUE(Near(Pixel(201, 101), {255, 0, 0}, 0));  // cell (0, 0): index 0
    EXPECT_TRUE(Near(Pixel(205, 101), {255, 255, 255}, 0));
    EXPECT_TRUE(Near(Pixel(205, 105), {255, 0, 0}, 0));
    // Translucent or tinted, the transparent cells still leave the frame alone.
    board.color = 0x40FFFFFF;
    Draw({Screen(kRed), board});
    EXPECT_TRUE(Near(Pixel(201, 101), {255, 0, 0}, 0));
    board.color = 0xFF00FF00;
    Draw({Screen(kRed), board});
    EXPECT_TRUE(Near(Pixel(201, 101), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Pixel(205, 101), {0, 253, 0}));
}

TEST_F(SpriteBatch, FlipsMirrorThePicture) {
    // The 16 x 16 cell of quadrants drawn 48 x 48: red, green / blue, white unflipped.
    struct Case {
        int32_t flip;
        Rgb topLeft, topRight, bottomLeft, bottomRight;
    };
    const Rgb red{255, 0, 0}, green{0, 255, 0}, blue{0, 0, 255}, white{255, 255, 255};
    const Case cases[] = {{0, red, green, blue, white},
                          {1, green, red, white, blue},
                          {2, blue, white, red, green},
                          {3, white, blue, green, red},
                          {9, red, green, blue, white}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flip);
        DrawCommand cell = Piece(300, 300, 48, 48, 32, 0, 16, 16);
        cell.flip = c.flip;
        Draw({cell});
        EXPECT_TRUE(Near(Pixel(300, 300), c.topLeft, 0));
        EXPECT_TRUE(Near(Pixel(347, 300), c.topRight, 0));
        EXPECT_TRUE(Near(Pixel(300, 347), c.bottomLeft, 0));
        EXPECT_TRUE(Near(Pixel(347, 347), c.bottomRight, 0));
    }
}

// Each texel of an 8 x 8 tile drawn three times its size covers exactly 3 x 3 pixels.
TEST_F(SpriteBatch, AThreeTimesScaledTileLandsOnExactPixelBounds) {
    DrawCommand bySize = Piece(240, 96, 24, 24, 64, 0, 8, 8);
    DrawCommand byScale = Piece(480, 96, 8, 8, 64, 0, 8, 8);
    byScale.scaleX = 3.0f;
    byScale.scaleY = 3.0f;
    Draw({Screen(kBlue), bySize, byScale});
    const Rgb blue{0, 0, 255}, red{255, 0, 0}, green{0, 255, 0};
    for (int x0 : {240, 480}) {
        SCOPED_TRACE(x0);
        for (int k = 0; k < 24; ++k) {
            EXPECT_TRUE(Near(Pixel(x0 + k, 96), red, 0)) << k;        // the top row of texels
            EXPECT_TRUE(Near(Pixel(x0, 96 + k), red, 0)) << k;        // the left column
            EXPECT_TRUE(Near(Pixel(x0 + k, 95), blue, 0)) << k;       // above
            EXPECT_TRUE(Near(Pixel(x0 + k, 120), blue, 0)) << k;      // below
            EXPECT_TRUE(Near(Pixel(x0 - 1, 96 + k), blue, 0)) << k;   // left
            EXPECT_TRUE(Near(Pixel(x0 + 24, 96 + k), blue, 0)) << k;  // right
        }
        EXPECT_TRUE(Near(Pixel(x0 + 2, 99), red, 0));
        EXPECT_TRUE(Near(Pixel(x0 + 3, 99), green, 0));
        EXPECT_TRUE(Near(Pixel(x0 + 3, 98), red, 0));
        EXPECT_TRUE(Near(Pixel(x0 + 23, 119), green, 0));
    }
}

TEST_F(SpriteBatch, TheLastCommandOfAFullListIsNotDrawn) {
    std::vector<DrawCommand> list(kDrawnCommands, Sprite(2000, 0, 4, 4, kRed));  // off screen
    list.front() = Screen(kWhite);
    list[kDrawnCommands - 1] = Sprite(0, 0, 8, 8, kBlue);  // the 14,969th: drawn
    list.push_back(Screen(kGreen));                        // the 14,970th: dropped
    list.push_back(Screen(kRed));
    Draw(list);
    EXPECT_EQ(Graphics().count, static_cast<uint32_t>(kDrawnCommands));
    EXPECT_TRUE(Near(Pixel(4, 4), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(Pixel(100, 100), {255, 255, 255}, 0));
}

// Merged runs and skipped commands give the very frame one draw per command gives.
TEST_F(SpriteBatch, MergedDrawsGiveTheSameFrameAsOneDrawPerCommand) {
    std::vector<DrawCommand> list = {Screen(kGrey)};
    for (int k = 0; k < 40; ++k) list.push_back(Sprite(24 * k, 48, 24, 24, kPattern));
    for (int k = 0; k < 40; ++k)
        list.push_back(Sprite(24 * k + 12, 60, 24, 24, kPattern, 0x80FFFFFF));
    for (int k = 0; k < 30; ++k) {
        DrawCommand c = Piece(30 * k, 200 + k, 30, 90, 0, 0, 32, 32);
        c.color = k % 3 == 0 ? 0xFFFFFFFF : (k % 3 == 1 ? 0xC0FFFFFF : 0xFF40FF40);
        c.blendMode = k % 7 == 0 ? 1 : 0;
        c.sheet = k % 5 == 0 ? kBlue : kPattern;
        list.push_back(c);
    }
    list.push_back(Sprite(-100, 0, 50, 50, kRed));  // off screen
    list.push_back(Screen(120, 0x00FFFFFF));        // a fade at alpha 0
    list.push_back(Screen(120, 0x60FFFFFF));
    Draw(list);
    const std::vector<uint8_t> merged = frame;
    const uint32_t mergedCalls = Device().drawCalls;
    Device().options.mergeDraws = false;
    Device().options.skipInvisible = false;
    Device().options.redrawEveryFrame = true;
    Draw(list);
    EXPECT_EQ(Device().drawCalls, list.size() - 1);  // the one off screen reaches no area
    EXPECT_LT(mergedCalls, list.size() / 2);
    EXPECT_TRUE(frame == merged);
}

TEST_F(SpriteBatch, TheFrameKeepsTheSizeTheDeviceWasCreatedAt) {
    SDL_SetWindowSize(window, 640, 360);
    Graphics().ReleaseDevice();
    ASSERT_EQ(Graphics().CreateDevice(), 1);
    EXPECT_EQ(Device().width, 640);  // windowed: the window's size now
    MakeSheet(kWhite, kPalette, [](int, int) { return Index(1); });
    Draw({Screen(kWhite)});
    EXPECT_TRUE(Near(Pixel(639, 359), {255, 255, 255}, 0));
    Settings().fullScreen = 1;
    Graphics().ReleaseDevice();
    ASSERT_EQ(Graphics().CreateDevice(), 1);
    EXPECT_EQ(Device().width, 1280);  // full screen: the size at the first creation
    EXPECT_EQ(Device().height, 720);
    Settings().fullScreen = 0;
}

// A window of another size gets the frame drawn at the device's size and stretched; a change
// of the window's size presents the kept frame again even when the list did not change.
TEST_F(SpriteBatch, AResizedWindowStillGetsTheWholeFrame) {
    SDL_SetWindowSize(window, 640, 360);
    DrawCommand tile = Piece(240, 96, 24, 24, 64, 0, 8, 8);
    Draw({Screen(kBlue), tile});
    EXPECT_TRUE(Device().presented);
    EXPECT_TRUE(Near(Pixel(1279, 719), {0, 0, 255}, 0));
    EXPECT_TRUE(Near(Pixel(240, 96), {255, 0, 0}, 0));
    EXPECT_TRUE(Near(Pixel(243, 99), {0, 255, 0}, 0));
    EXPECT_TRUE(Near(Pixel(264, 99), {0, 0, 255}, 0));
    Draw({Screen(kBlue), tile});
    EXPECT_FALSE(Device().presented);
    EXPECT_EQ(Device().drawCalls, 0u);
    SDL_SetWindowSize(window, 1280, 720);
    Draw({Screen(kBlue), tile});
    EXPECT_TRUE(Device().presented);
    EXPECT_EQ(Device().drawCalls, 0u);
    EXPECT_TRUE(Near(Pixel(243, 99), {0, 255, 0}, 0));
}
