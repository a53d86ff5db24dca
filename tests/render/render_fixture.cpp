#include "tests/render/render_fixture.h"

#include <cstdlib>
#include <vector>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "platform/path16.h"
#include "render/gl_local.h"
#include "render/picture_bits.h"
#include "render/render.h"
#include "tests/unit/recording_messages.h"

void RenderTest::SetUp() {
    if (std::getenv("SDL_VIDEODRIVER") == nullptr && std::getenv("DISPLAY") == nullptr) {
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
    }
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    window = SDL_CreateWindow("Tessaroid", 0, 0, 1280, 720, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr) << SDL_GetError();
    theGame = new Game();
    theGame->graphics->settings = theGame->system;
    theGame->graphics->scene = theGame->scene;
    theGame->graphics->window = window;
    (void)TextFromUtf8(theGame->system->programFolder, kPathUnits, TESSAROID_GAME_DIR);
    ShownMessages().clear();
    ASSERT_EQ(Graphics().CreateDevice(), 1);
}

void RenderTest::TearDown() {
    if (theGame != nullptr) {
        theGame->graphics->ReleaseDevice();
        delete theGame;
        theGame = nullptr;
    }
    if (window != nullptr)
        SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

CDx_Gr& RenderTest::Graphics() {
    return *theGame->graphics;
}
System& RenderTest::Settings() {
    return *theGame->system;
}
MapSceneEntity& RenderTest::Scene() {
    return *theGame->scene;
}
RenderDevice& RenderTest::Device() {
    return *theGame->graphics->device;
}

void RenderTest::MakeSheet(int32_t slot, const std::vector<std::array<uint8_t, 3>>& palette,
                           uint8_t (*paint)(int x, int y)) {
    auto picture = std::make_unique<PictureBits>();
    std::vector<uint8_t> rows(kPictureTexels);
    picture->bits = rows.data();
    for (size_t k = 0; k < palette.size(); ++k) {
        picture->colors[k][0] = palette[k][2];
        picture->colors[k][1] = palette[k][1];
        picture->colors[k][2] = palette[k][0];
    }
    for (int y = 0; y < kPictureSide; ++y) {
        for (int x = 0; x < kPictureSide; ++x) {
            rows[(kPictureSide - 1 - y) * kPictureSide + x] =
                paint != nullptr ? paint(x, y) : 1;
        }
    }
    ASSERT_EQ(Graphics().CreateTexture5551(slot, picture.get()), 1);
}

DrawCommand RenderTest::Sprite(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sheet,
                               uint32_t color) {
    DrawCommand c{};
    c.dstX = x;
    c.dstY = y;
    c.dstW = w;
    c.dstH = h;
    c.srcX = x % 512;
    c.srcY = y % 512;
    c.srcW = w;
    c.srcH = h;
    c.scaleX = 1.0f;
    c.scaleY = 1.0f;
    c.color = color;
    c.sheet = sheet;
    return c;
}

void RenderTest::Draw(const std::vector<DrawCommand>& commands) {
    Graphics().ResetDrawList();
    for (const DrawCommand& c : commands) Graphics().Submit(&c);
    frame.resize(static_cast<size_t>(Device().width) * Device().height *
                 4);  // kept if not presented
    Device().capture = frame.data();
    EXPECT_EQ(Graphics().RenderFrame(), 0);
    Device().capture = nullptr;
}

Rgb RenderTest::Pixel(int x, int y) const {
    const int width = theGame->graphics->device->width;
    const int height = theGame->graphics->device->height;
    const uint8_t* p = frame.data() + (static_cast<size_t>(height - 1 - y) * width + x) * 4;
    return Rgb{p[0], p[1], p[2]};
}

::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance) {
    for (int c = 0; c < 3; ++c) {
        if (std::abs(actual[c] - expected[c]) > tolerance) {
            return ::testing::AssertionFailure()
                   << "(" << actual[0] << ", " << actual[1] << ", " << actual[2] << ") is not ("
                   << expected[0] << ", " << expected[1] << ", " << expected[2] << ") within "
                   << tolerance;
        }
    }
    return ::testing::AssertionSuccess();
}
