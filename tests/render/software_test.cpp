// The software backend against OpenGL, pixel by pixel: the same lists, drawn by both on the
// same window, must give frames at most 1 apart in every channel of every pixel. Random lists
// cover what the game's own scenes may not: fractional edges, scales, every flip, turns on all
// three axes, every blend mode and colour class, unbound sheets, and a full list.
#include <SDL.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "assets/pictures.h"
#include "assets/resources.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/path16.h"
#include "render/gl_local.h"
#include "render/picture_bits.h"
#include "render/render.h"
#include "render/soft_local.h"
#include "tests/render/render_fixture.h"

namespace {

const std::vector<std::array<uint8_t, 3>> kPalette = {
    {0, 0, 0},     {250, 240, 230}, {200, 30, 40}, {20, 180, 60},
    {30, 60, 210}, {128, 128, 128}, {255, 255, 0}, {10, 10, 10}};

// Sheet 0 opaque bands; sheet 1 checks of transparent and coloured texels; sheet 2 a fine
// grain of single texels, so that a texel taken one off shows.
uint8_t Bands(int x, int y) {
    return static_cast<uint8_t>(1 + (x / 16 + y / 32) % 7);
}
uint8_t Checks(int x, int y) {
    return static_cast<uint8_t>((x / 8 + y / 8) % 2 == 0 ? 0 : 2 + (x / 4) % 5);
}
uint8_t Grain(int x, int y) {
    return static_cast<uint8_t>((x * 7 + y * 13) % 8);
}

struct Mismatch {
    int64_t pixels = 0;  // more than 1 apart in some channel
    int x = -1, y = -1;  // the first such pixel, origin top left
    int a[3] = {}, b[3] = {};
};

Mismatch Compare(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b, int width,
                 int height) {
    Mismatch m;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const size_t k = (static_cast<size_t>(y) * width + x) * 4;
            bool far = false;
            for (int c = 0; c < 3; ++c) far = far || std::abs(a[k + c] - b[k + c]) > 1;
            if (!far)
                continue;
            if (m.pixels++ == 0) {
                m.x = x;
                m.y = height - 1 - y;
                for (int c = 0; c < 3; ++c) {
                    m.a[c] = a[k + c];
                    m.b[c] = b[k + c];
                }
            }
        }
    }
    return m;
}

::testing::AssertionResult Same(const Mismatch& m) {
    if (m.pixels == 0)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << m.pixels << " pixels more than 1 apart; the first at (" << m.x << ", " << m.y
           << "): OpenGL (" << m.a[0] << ", " << m.a[1] << ", " << m.a[2] << "), software ("
           << m.b[0] << ", " << m.b[1] << ", " << m.b[2] << ")";
}

class SoftwareAgainstOpenGL : public RenderTest {
protected:
    std::mt19937 random{20261209};

    void SetUp() override {
        RenderTest::SetUp();
        FillAngleTables(Scene());
    }

    int32_t Pick(int32_t lo, int32_t hi) {
        return std::uniform_int_distribution<int32_t>(lo, hi)(random);
    }
    float Between(float lo, float hi) {
        return std::uniform_real_distribution<float>(lo, hi)(random);
    }

    // The device made again on the chosen backend, with the test's sheets.
    void Use(int32_t renderer) {
        Graphics().ReleaseDevice();
        Graphics().renderer = renderer;
        ASSERT_EQ(Graphics().CreateDevice(), 1);
        MakeSheet(0, kPalette, Bands);
        MakeSheet(1, kPalette, Checks);
        MakeSheet(2, kPalette, Grain);
    }
    int Width() const {
        const CDx_Gr& g = const_cast<SoftwareAgainstOpenGL*>(this)->Graphics();
        return g.renderer == kRendererSoftware ? g.softwareDevice->width : g.device->width;
    }
    int Height() const {
        const CDx_Gr& g = const_cast<SoftwareAgainstOpenGL*>(this)->Graphics();
        return g.renderer == kRendererSoftware ? g.softwareDevice->height : g.device->height;
    }
    // The list's frame after an empty one, so that OpenGL draws it into its kept frame as it
    // draws most frames (a frame that changed throughout goes straight onto the window).
    std::vector<uint8_t> Render(const std::vector<DrawCommand>& list, bool afterEmpty = true) {
        Graphics().ResetDrawList();
        if (afterEmpty)
            (void)Graphics().RenderFrame();
        Graphics().ResetDrawList();
        for (const DrawCommand& c : list) Graphics().Submit(&c);
        std::vector<uint8_t> rgba(static_cast<size_t>(Width()) * Height() * 4);
        CDx_Gr& g = Graphics();
        if (g.renderer == kRendererSoftware)
            g.softwareDevice->capture = rgba.data();
        else
            g.device->capture = rgba.data();
        EXPECT_EQ(g.RenderFrame(), 0);
        if (g.renderer == kRendererSoftware)
            g.softwareDevice->capture = nullptr;
        else
            g.device->capture = nullptr;
        return rgba;
    }
    // The frames of each list on OpenGL, then on software: those OpenGL drew into its frame
    // buffer apart from those it drew straight onto the window, as it does a frame that
    // changed throughout (its rasteriser then counts rows from the top), or all together.
    struct Split {
        Mismatch inFrameBuffer, onWindow;
        int32_t framesOnWindow = 0;
    };
    static void Add(Mismatch& all, const Mismatch& m) {
        if (m.pixels > 0 && all.pixels == 0)
            all = m;
        else
            all.pixels += m.pixels;
    }
    Split BothSplit(const std::vector<std::vector<DrawCommand>>& lists) {
        std::vector<std::vector<uint8_t>> opengl;
        std::vector<bool> onWindow;
        Use(kRendererOpenGL);
        for (const auto& list : lists) {
            opengl.push_back(Render(list));
            onWindow.push_back(Graphics().device->keptInWindow);
        }
        Use(kRendererSoftware);
        Split split;
        for (size_t k = 0; k < lists.size(); ++k) {
            const Mismatch m = Compare(opengl[k], Render(lists[k]), Width(), Height());
            Add(onWindow[k] ? split.onWindow : split.inFrameBuffer, m);
            split.framesOnWindow += onWindow[k] ? 1 : 0;
        }
        return split;
    }
    Mismatch Both(const std::vector<std::vector<DrawCommand>>& lists) {
        Split split = BothSplit(lists);
        Add(split.inFrameBuffer, split.onWindow);
        return split.inFrameBuffer;
    }

    DrawCommand RandomCommand() {
        static const uint32_t colors[] = {0xFFFFFFFF, 0xFFFFFFFF, 0x80FFFFFF, 0xFF40C0FF,
                                          0x00FFFFFF, 0x30A0FF20, 0xFF000000, 0xC0FF8000};
        static const int32_t sheets[] = {0, 1, 2, 2, 120, 9, -1};
        DrawCommand c{};
        c.dstX = Pick(-60, 1260);
        c.dstY = Pick(-60, 700);
        c.dstW = Pick(1, 300);
        c.dstH = Pick(1, 200);
        c.srcX = Pick(0, 511);
        c.srcY = Pick(0, 511);
        c.srcW = Pick(1, 300);
        c.srcH = Pick(1, 300);
        c.scaleX = Pick(0, 2) == 0 ? 1.0f : Between(0.3f, 2.5f);
        c.scaleY = Pick(0, 2) == 0 ? 1.0f : Between(0.3f, 2.5f);
        c.pivotX = Pick(0, 1) == 0 ? 0.0f : Between(0.0f, static_cast<float>(c.dstW));
        c.pivotY = Pick(0, 1) == 0 ? 0.0f : Between(0.0f, static_cast<float>(c.dstH));
        c.flip = Pick(0, 4);
        c.roll = Pick(0, 5) == 0 ? Pick(0, 255) : 0;
        c.yaw = Pick(0, 7) == 0 ? Pick(0, 255) : 0;
        c.pitch = Pick(0, 7) == 0 ? Pick(0, 255) : 0;
        c.blendMode = Pick(0, 7) == 0 ? Pick(1, 2) : 0;
        c.color = colors[Pick(0, 7)];
        c.sheet = sheets[Pick(0, 6)];
        return c;
    }
};

}  // namespace

// Sprites as the game draws most of them: whole-pixel places, every size, flip, blend mode,
// colour class and sheet (bound, unbound and out of range). No sample falls on a texel's edge
// here, so the two must agree everywhere.
TEST_F(SoftwareAgainstOpenGL, WholePixelSpritesGiveTheSamePixels) {
    std::vector<std::vector<DrawCommand>> lists(30);
    for (auto& list : lists) {
        for (int k = Pick(1, 60); k > 0; --k) {
            DrawCommand c = RandomCommand();
            c.scaleX = c.scaleY = 1.0f;
            c.pivotX = c.pivotY = 0.0f;
            c.roll = c.yaw = c.pitch = 0;
            c.srcW = c.dstW;
            c.srcH = c.dstH;
            list.push_back(c);
        }
    }
    EXPECT_TRUE(Same(Both(lists)));
}

// Sprites scaled so far that their corners lie beyond what the rasteriser's fixed-point edges
// hold: the part on the frame is drawn as OpenGL draws it, a corner on the frame, a texel's
// edge through it, turned, and nothing where the sprite passes the frame by.
TEST_F(SoftwareAgainstOpenGL, SpritesReachingFarBeyondTheFrameShowWhatIsOnIt) {
    DrawCommand giant{};
    giant.dstW = giant.dstH = giant.srcW = giant.srcH = 64;
    giant.scaleX = giant.scaleY = 20000.0f;
    giant.color = 0xFFFFFFFF;
    std::vector<std::vector<DrawCommand>> lists;
    DrawCommand corner = giant;  // its top left corner at (100, 200)
    corner.dstX = 100;
    corner.dstY = 200;
    lists.push_back({corner});
    DrawCommand centred = giant;  // texel edges through its pivot at (632, 332)
    centred.dstX = 600;
    centred.dstY = 300;
    centred.pivotX = centred.pivotY = 32.0f;
    centred.sheet = 1;
    lists.push_back({centred});
    centred.roll = 32;
    lists.push_back({centred});
    DrawCommand away = corner;  // all of it right of the frame
    away.dstX = 1400;
    lists.push_back({away});
    EXPECT_TRUE(Same(Both(lists)));
}

// Anything a list may hold, at the game's creation size and at one that is not 16:9, and the
// full list. Drawn into OpenGL's frame buffer, every pixel is the same: the software
// rasteriser sets up and evaluates its planes, rounds its corners, keeps the pixels on edges
// and cuts turned sprites at the frame as OpenGL's does. A frame that changed throughout,
// OpenGL draws straight onto the window, whose rows its rasteriser counts from the top: there,
// where a sample falls within rounding of a texel's edge, the two may take neighbouring
// texels, under one pixel in ten thousand.
TEST_F(SoftwareAgainstOpenGL, AnyListGivesTheSamePixelsButForEdgeTiesOnTheWindow) {
    for (const bool gameSize : {true, false}) {
        SCOPED_TRACE(gameSize ? "1280 x 720" : "1000 x 562");
        if (!gameSize)
            SDL_SetWindowSize(window, 1000, 562);
        std::vector<std::vector<DrawCommand>> lists(100);
        for (auto& list : lists) {
            for (int k = Pick(1, 60); k > 0; --k) list.push_back(RandomCommand());
        }
        lists.back().clear();
        for (int k = 0; k < kDrawnCommands; ++k) lists.back().push_back(RandomCommand());
        const Split m = BothSplit(lists);
        const int64_t frame = int64_t{Width()} * Height();
        std::printf("%lld of %lld pixels drawn on the window more than 1 apart\n",
                    static_cast<long long>(m.onWindow.pixels),
                    static_cast<long long>(frame * m.framesOnWindow));
        EXPECT_TRUE(Same(m.inFrameBuffer));
        EXPECT_LT(m.framesOnWindow, 100);  // most frames draw into the frame buffer
        EXPECT_LE(m.onWindow.pixels * 10000, frame * m.framesOnWindow)
            << ::testing::PrintToString(Same(m.onWindow).message());
    }
}

// Where the two rasterisers' last bits decide alone: sprite edges on pixel centres (a pixel on
// such an edge belongs to the triangle on its lower side, as OpenGL fills its frame buffer),
// samples on texel edges (scales in exact ratios), and sprites cut by the frame's sides, turned
// and scaled, whose cut corners fall between pixels. Each list leaves most of the frame as it
// was, so OpenGL draws it into its frame buffer; every pixel must be the same.
TEST_F(SoftwareAgainstOpenGL, EdgeAndTexelTiesGiveTheSamePixels) {
    std::vector<std::vector<DrawCommand>> lists(24);
    for (size_t k = 0; k < lists.size(); ++k) {
        for (int n = 0; n < 6; ++n) {
            DrawCommand c = RandomCommand();
            c.dstW = Pick(2, 80);
            c.dstH = Pick(2, 60);
            c.pivotX = c.pivotY = 0.5f;  // every side on a pixel centre
            c.scaleX = c.scaleY = 1.0f;
            if (k % 3 == 1) {  // two pixels for each texel, or two texels for each pixel
                c.scaleX = Pick(0, 1) == 0 ? 2.0f : 0.5f;
                c.scaleY = Pick(0, 1) == 0 ? 2.0f : 0.5f;
                c.srcW = c.dstW;
                c.srcH = c.dstH;
            }
            if (k % 3 == 2) {  // across a side or a corner of the frame
                c.dstX = Pick(0, 1) == 0 ? Pick(-70, 10) : Pick(1210, 1275);
                c.dstY = Pick(0, 1) == 0 ? Pick(-50, 10) : Pick(660, 715);
                c.pivotX = Between(0.0f, static_cast<float>(c.dstW));
                c.scaleX = Between(0.5f, 3.0f);
            }
            lists[k].push_back(c);
        }
    }
    const Split m = BothSplit(lists);
    EXPECT_EQ(m.framesOnWindow, 0);
    EXPECT_TRUE(Same(m.inFrameBuffer));
}

// The software frame drawn only where the list changed is, frame after frame, the one a full
// redraw gives (a frame that changed nothing is not presented: the picture shown stays), also
// across a window resized away from the frame's size and back, which moves the frame off the
// window's surface and onto a new one.
TEST_F(SoftwareAgainstOpenGL, SoftwareDrawsOnlyWhatChangedAndKeepsThePicture) {
    Use(kRendererSoftware);
    SoftwareDevice& d = *Graphics().softwareDevice;
    std::vector<std::vector<DrawCommand>> lists(1);
    for (int k = 0; k < 200; ++k) lists[0].push_back(RandomCommand());
    for (int frameNumber = 1; frameNumber < 30; ++frameNumber) {
        lists.push_back(lists.back());
        if (frameNumber % 3 != 2) {
            lists.back()[static_cast<size_t>(Pick(0, 199))] = RandomCommand();
            lists.back()[static_cast<size_t>(Pick(0, 199))].dstY += 7;
        }
    }
    std::vector<uint8_t> shown(static_cast<size_t>(d.width) * d.height * 4);
    std::vector<std::vector<uint8_t>> frames;
    int32_t quiet = 0;
    for (const bool incremental : {true, false}) {
        d.options = incremental ? PlanOptions{} : PlanOptions{false, false, true};
        d.capture = shown.data();
        for (size_t k = 0; k < lists.size(); ++k) {
            SCOPED_TRACE(k);
            if (incremental && (k == 10 || k == 20))
                SDL_SetWindowSize(window, k == 10 ? 640 : d.width, k == 10 ? 360 : d.height);
            Graphics().ResetDrawList();
            for (const DrawCommand& c : lists[k]) Graphics().Submit(&c);
            EXPECT_EQ(Graphics().RenderFrame(), 0);
            quiet += d.presented ? 0 : 1;
            if (incremental)
                frames.push_back(shown);
            else
                ASSERT_TRUE(frames[k] == shown);
        }
    }
    d.capture = nullptr;
    // The incremental frames whose list did not change, but for frame 20: the window's size
    // came back, so the picture is shown whole.
    EXPECT_EQ(quiet, 9);
}

namespace {

// The last draw list a tessaroid-trace run of the script prints, as commands: entries of
// [dstX,dstY,dstW,dstH,srcX,srcY,srcW,srcH,scaleX,scaleY,flip,pivotX,pivotY,pitch,yaw,roll,
//  blendMode,color,sheet]. Empty when the tool gives none.
std::vector<DrawCommand> TracedList(const std::string& script) {
    const std::string command = TESSAROID_BIN_DIR "tessaroid-trace < " + script;
    FILE* out = popen(command.c_str(), "r");
    std::string text, last;
    char chunk[65536];
    for (size_t n; out != nullptr && (n = std::fread(chunk, 1, sizeof chunk, out)) > 0;)
        text.append(chunk, n);
    if (out != nullptr)
        pclose(out);
    const size_t at = text.rfind("\"draws\":[");
    std::vector<DrawCommand> list;
    const char* p = at == std::string::npos ? nullptr : text.c_str() + at + 9;
    while (p != nullptr && *p == '[') {
        double v[19];
        for (double& field : v) {
            char* end = nullptr;
            field = std::strtod(p + 1, &end);
            p = end;  // at the ',' or ']' after it
        }
        DrawCommand c{};
        c.dstX = static_cast<int32_t>(v[0]), c.dstY = static_cast<int32_t>(v[1]);
        c.dstW = static_cast<int32_t>(v[2]), c.dstH = static_cast<int32_t>(v[3]);
        c.srcX = static_cast<int32_t>(v[4]), c.srcY = static_cast<int32_t>(v[5]);
        c.srcW = static_cast<int32_t>(v[6]), c.srcH = static_cast<int32_t>(v[7]);
        c.scaleX = static_cast<float>(v[8]), c.scaleY = static_cast<float>(v[9]);
        c.flip = static_cast<int32_t>(v[10]);
        c.pivotX = static_cast<float>(v[11]), c.pivotY = static_cast<float>(v[12]);
        c.pitch = static_cast<int32_t>(v[13]), c.yaw = static_cast<int32_t>(v[14]);
        c.roll = static_cast<int32_t>(v[15]), c.blendMode = static_cast<int32_t>(v[16]);
        c.color = static_cast<uint32_t>(v[17]), c.sheet = static_cast<int32_t>(v[18]);
        list.push_back(c);
        p += 2;  // past "]," or "]]"
    }
    return list;
}

}  // namespace

// The game's own scenes, drawn from the lists the game submits, with its own sheets.
TEST_F(SoftwareAgainstOpenGL, TheGamesScenesGiveTheSamePixels) {
    if (!std::filesystem::exists(TESSAROID_BIN_DIR "tessaroid-trace") ||
        !std::filesystem::exists(TESSAROID_GAME_DIR "data/grp/grp_0003.txt"))
        GTEST_SKIP() << "no tessaroid-trace or data folder in this build";
    const std::string opening = ::testing::TempDir() + "opening.txt";
    {
        FILE* f = std::fopen(opening.c_str(), "w");
        ASSERT_NE(f, nullptr);
        std::fputs("run 8\ndraws on\nrun 1\n", f);
        std::fclose(f);
    }
    std::vector<std::vector<DrawCommand>> lists = {TracedList(opening)};
    for (const char* scene :
         {"title", "settings", "ranking", "game", "pause", "curtain", "game_over"}) {
        lists.push_back(TracedList(std::string(TESSAROID_SCENES_DIR) + scene + ".txt"));
        ASSERT_FALSE(lists.back().empty()) << scene;
    }
    System& system = Settings();
    (void)TextFromUtf8(system.dataPath, kPathUnits, TESSAROID_GAME_DIR "data/");
    char16_t path[kPathUnits];
    (void)DataFilePath(system, u"grp\\grp_0003.txt", path);
    CLoadFile loader(&system, &Scene());
    ASSERT_TRUE(loader.ReadPictureList(path));
    std::vector<std::vector<uint8_t>> opengl;
    for (const int32_t renderer : {kRendererOpenGL, kRendererSoftware}) {
        Graphics().ReleaseDevice();
        Graphics().renderer = renderer;
        ASSERT_EQ(Graphics().CreateDevice(), 1);
        Scene().reloadPending = 1;
        ASSERT_TRUE(LoadPictures());
        for (size_t k = 0; k < lists.size(); ++k) {
            SCOPED_TRACE(k);
            if (renderer == kRendererOpenGL)
                opengl.push_back(Render(lists[k]));
            else
                EXPECT_TRUE(Same(Compare(opengl[k], Render(lists[k]), Width(), Height())));
        }
    }
}
