// Drawing only what changed gives, frame after frame, the very picture a full redraw of each
// list gives: a sequence of lists that move, recolour, add and drop commands of every kind is
// drawn both ways and the frames compared byte for byte.
#include <cstdint>
#include <random>
#include <vector>

#include "render/gl_local.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"

namespace {

const std::vector<std::array<uint8_t, 3>> kPalette = {
    {0, 0, 0}, {250, 240, 230}, {200, 30, 40}, {20, 180, 60}, {30, 60, 210}, {128, 128, 128}};

// Sheet 0: opaque bands; sheet 1: 8 x 8 checks of transparent and coloured texels with fully
// opaque and fully transparent 8 x 8 tiles along its top row; sheet 2: all transparent.
uint8_t Bands(int x, int y) {
    return static_cast<uint8_t>(1 + (x / 16 + y / 32) % 5);
}
uint8_t Checks(int x, int y) {
    if (y < 8)
        return static_cast<uint8_t>((x / 8) % 3 == 0 ? 0 : 1 + (x / 8) % 5);
    return static_cast<uint8_t>((x / 8 + y / 8) % 2 == 0 ? 0 : 2 + (x / 4) % 4);
}

class Redraw : public RenderTest {
protected:
    std::mt19937 random{20261208};

    void SetUp() override {
        RenderTest::SetUp();
        MakeSheet(0, kPalette, Bands);
        MakeSheet(1, kPalette, Checks);
        MakeSheet(2, kPalette, [](int, int) { return uint8_t{0}; });
    }
    int32_t Pick(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(random);
    }
    DrawCommand RandomCommand() {
        static const uint32_t colors[] = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0x80FFFFFF,
                                          0xFF40C0FF, 0x00FFFFFF, 0x30FFFFFF, 0xFF000000};
        static const int32_t sheets[] = {0, 1, 1, 1, 2, 120, 9};
        DrawCommand c{};
        c.dstX = Pick(-40, 1260);
        c.dstY = Pick(-40, 700);
        const bool tile = Pick(0, 2) != 0;
        c.dstW = tile ? 24 : Pick(1, 400);
        c.dstH = tile ? 24 : Pick(1, 300);
        c.srcX = tile ? 8 * Pick(0, 63) : Pick(0, 511);
        c.srcY = tile ? 0 : Pick(0, 511);
        c.srcW = tile ? 8 : Pick(1, 300);
        c.srcH = tile ? 8 : Pick(1, 300);
        static const float scales[] = {1.0f, 1.0f, 1.0f, 1.0f, 1.5f, 1.37f, 0.73f};
        c.scaleX = scales[Pick(0, 6)];  // edges between pixel centres too
        c.scaleY = scales[Pick(0, 6)];
        c.flip = Pick(0, 4);
        c.roll = Pick(0, 9) == 0 ? Pick(1, 255) : 0;
        c.blendMode = Pick(0, 9) == 0 ? 1 : 0;
        c.color = colors[Pick(0, 7)];
        c.sheet = sheets[Pick(0, 6)];
        return c;
    }
    // Moves, recolours, replaces, adds or drops a few commands.
    void Change(std::vector<DrawCommand>& list) {
        for (int k = Pick(1, 4); k > 0; --k) {
            const size_t i = static_cast<size_t>(Pick(0, static_cast<int32_t>(list.size()) - 1));
            switch (Pick(0, 4)) {
                case 0:
                    list[i].dstY += 24;
                    break;
                case 1:
                    list[i].color ^= 0x00FF0000;
                    break;
                case 2:
                    list[i] = RandomCommand();
                    break;
                case 3:
                    list.insert(list.begin() + static_cast<std::ptrdiff_t>(i), RandomCommand());
                    break;
                default:
                    if (list.size() > 1)
                        list.erase(list.begin() + static_cast<std::ptrdiff_t>(i));
                    break;
            }
        }
    }
    void DrawEveryPixel(const std::vector<DrawCommand>& list) {
        Device().options.mergeDraws = false;
        Device().options.skipInvisible = false;
        Device().options.redrawEveryFrame = true;
        Draw(list);
        Device().options.mergeDraws = true;
        Device().options.skipInvisible = true;
        Device().options.redrawEveryFrame = false;
    }
    static int64_t Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
        int64_t n = 0;
        for (size_t k = 0; k < a.size(); k += 4)
            n += a[k] != b[k] || a[k + 1] != b[k + 1] || a[k + 2] != b[k + 2];
        return n;
    }
};

}  // namespace

TEST_F(Redraw, DrawingWhatChangedGivesTheFullRedrawsPicture) {
    std::vector<DrawCommand> list;
    for (int k = 0; k < 300; ++k) list.push_back(RandomCommand());
    std::vector<uint8_t> incremental;
    int32_t quietFrames = 0;
    for (int frameNumber = 0; frameNumber < 40; ++frameNumber) {
        SCOPED_TRACE(frameNumber);
        if (frameNumber % 5 != 4)
            Change(list);
        Draw(list);
        quietFrames += Device().drawCalls == 0 ? 1 : 0;
        incremental = frame;
        DrawEveryPixel(list);
        ASSERT_EQ(Differing(incremental, frame), 0);
    }
    EXPECT_EQ(quietFrames, 8);  // the frames whose list did not change drew nothing
}

TEST_F(Redraw, ANewPictureInASlotRedrawsTheWholeFrame) {
    const std::vector<DrawCommand> list = {Sprite(0, 0, 1280, 720, 0), Sprite(100, 100, 64, 64, 1)};
    Draw(list);
    Draw(list);
    EXPECT_EQ(Device().drawCalls, 0u);
    MakeSheet(0, kPalette, Checks);
    Draw(list);
    EXPECT_GT(Device().drawCalls, 0u);
    const std::vector<uint8_t> kept = frame;
    DrawEveryPixel(list);
    EXPECT_EQ(Differing(kept, frame), 0);
}

// Pictures opaque inside a transparent rim (as the cursor box's corners are), drawn where
// their edges fall between pixel centres: 1:1 at a creation size that is not the game's, and
// scaled from their far corner at the game's. The pixels along such an edge sample the rim,
// so the shortcut that leaves out the transparency test may only be taken where every texel
// the quad can reach is opaque. (Each source rectangle starts on the rim at its left and top
// and ends inside: only those two edges can meet the fault.)
TEST_F(Redraw, OpaqueInsidesWithTransparentRimsKeepTheirRimsAtFractionalEdges) {
    const auto rimmed = [](int x, int y) {
        return static_cast<uint8_t>(x % 16 == 0 || y % 16 == 0 ? 0 : 2 + (x / 16) % 3);
    };
    const auto rims = [&](bool scaled) {
        std::vector<DrawCommand> list = {Sprite(0, 0, 1280, 720, 0)};
        for (int k = 0; k < 600; ++k) {
            DrawCommand c = Sprite(Pick(0, 1240), Pick(0, 680), Pick(8, 15), Pick(8, 15), 3);
            c.srcX = 16 * Pick(0, 31);
            c.srcY = 16 * Pick(0, 31);
            if (scaled) {
                c.pivotX = static_cast<float>(c.dstW);
                c.pivotY = static_cast<float>(c.dstH);
                c.scaleX = 1.05f + 0.04f * static_cast<float>(Pick(0, 4));
                c.scaleY = 1.05f + 0.04f * static_cast<float>(Pick(0, 4));
            }
            list.push_back(c);
        }
        return list;
    };
    MakeSheet(3, kPalette, rimmed);
    for (const bool scaled : {true, false}) {
        SCOPED_TRACE(scaled ? "scaled at 1280 x 720" : "1:1 at 1000 x 562");
        if (!scaled) {
            SDL_SetWindowSize(window, 1000, 562);
            Graphics().ReleaseDevice();
            ASSERT_EQ(Graphics().CreateDevice(), 1);
            ASSERT_EQ(Device().width, 1000);
            MakeSheet(0, kPalette, Bands);
            MakeSheet(3, kPalette, rimmed);
        }
        const std::vector<DrawCommand> list = rims(scaled);
        Draw(list);
        const std::vector<uint8_t> shortcut = frame;
        DrawEveryPixel(list);
        EXPECT_EQ(Differing(shortcut, frame), 0);
    }
}
