// A lost device: the rebuild after a failed present re-creates the device and reads the
// eight sheets from disk again; the per-frame check re-creates it without them.
#include <filesystem>
#include <string>

#include "assets/pictures.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "platform/path16.h"
#include "render/backends.h"
#include "render/gl_local.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"
#include "tests/unit/png_test_file.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

class DeviceLoss : public RenderTest {
protected:
    TempFolder data;

    void SetUp() override {
        RenderTest::SetUp();
        (void)TextFromUtf8(Settings().dataPath, kPathUnits, data.path.c_str());
        for (int i = 0; i < kLoadedPictures; ++i) {
            const std::u16string name = u"grp\\sheet_" + std::u16string(1, u'0' + i) + u".png";
            (void)TextCopy(Scene().pictureNames[i], kNameUnits, name.c_str());
            WriteSheet(i, static_cast<uint8_t>(30 * i + 20));
        }
        Scene().reloadPending = 1;
        ASSERT_TRUE(LoadPictures());
    }
    void WriteSheet(int i, uint8_t red) {
        std::filesystem::create_directories(data.path + "grp");
        data.Write("grp/sheet_" + std::to_string(i) + ".png", PlainSheet(red, 0, 255));
    }
    Rgb SheetColor(int32_t sheet) {
        Draw({Sprite(0, 0, 64, 64, sheet)});
        return Pixel(32, 32);
    }
    static int Level(uint8_t v) { return (v >> 3) * 255 / 31 + ((v >> 3) * 255 % 31 >= 16); }
};

}  // namespace

TEST_F(DeviceLoss, AFailedPresentRebuildsTheDeviceAndReloadsTheEightPictures) {
    ASSERT_TRUE(Near(SheetColor(3), {Level(110), 0, 255}));
    WriteSheet(3, 250);  // what the reload must read
    Device().forcedLoss = kDeviceReset;
    Graphics().ResetDrawList();
    EXPECT_EQ(Graphics().RenderFrame(), kDeviceReset);
    EXPECT_EQ(Settings().deviceRebuildRequest, 1);

    ASSERT_TRUE(Graphics().RebuildDevice());
    EXPECT_EQ(Settings().deviceRebuildRequest, 0);
    EXPECT_EQ(Scene().reloadPending, 0);
    EXPECT_EQ(Device().forcedLoss, 0);
    for (int i = 0; i < kLoadedPictures; ++i) EXPECT_NE(Device().textures[i], 0u) << i;
    EXPECT_TRUE(Near(SheetColor(3), {Level(250), 0, 255}));
    EXPECT_TRUE(Near(SheetColor(7), {Level(230), 0, 255}));
    EXPECT_TRUE(ShownMessages().empty());
}

TEST_F(DeviceLoss, ARemovedDeviceIsPresentedAsRemoved) {
    Device().forcedLoss = kDeviceRemoved;
    Graphics().ResetDrawList();
    EXPECT_EQ(Graphics().RenderFrame(), kDeviceRemoved);
    EXPECT_EQ(Settings().deviceRebuildRequest, 1);
    Device().forcedLoss = kDeviceHung;  // a hung device presents as removed too
    Settings().deviceRebuildRequest = 0;
    EXPECT_EQ(Graphics().RenderFrame(), kDeviceRemoved);
    EXPECT_EQ(Settings().deviceRebuildRequest, 1);
}

// The check itself loads no picture, but asks for the rebuild that brings them back.
TEST_F(DeviceLoss, TheFrameCheckRecreatesAHungOrResetDeviceAndAsksForItsPictures) {
    for (int32_t reason : {kDeviceHung, kDeviceReset}) {
        SCOPED_TRACE(reason);
        ShownMessages().clear();
        Settings().deviceRebuildRequest = 0;
        Device().forcedLoss = reason;
        Graphics().CheckDevice();
        EXPECT_EQ(Settings().deviceRebuildRequest, 1);
        ASSERT_NE(Graphics().device, nullptr);
        EXPECT_EQ(Device().forcedLoss, 0);
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].title, u"Message");
        EXPECT_EQ(ShownMessages()[0].text, u"失敗しました。");
        EXPECT_EQ(Scene().reloadPending, 0);
        for (int i = 0; i < kLoadedPictures; ++i) EXPECT_EQ(Device().textures[i], 0u) << i;
        EXPECT_TRUE(Near(SheetColor(3), {0, 0, 0}, 0));  // drawn with no picture
        ASSERT_TRUE(Graphics().RebuildDevice());
        EXPECT_TRUE(Near(SheetColor(3), {Level(110), 0, 255}));
    }
}

TEST_F(DeviceLoss, AnotherRemovalReasonIsReportedEveryFrameAndChangesNothing) {
    Device().forcedLoss = kDeviceRemoved;
    const uint32_t texture = Device().textures[0];
    Graphics().CheckDevice();
    Graphics().CheckDevice();
    EXPECT_EQ(ShownMessages().size(), 2u);
    EXPECT_EQ(Device().textures[0], texture);
    Device().forcedLoss = 0;
    Graphics().CheckDevice();
    EXPECT_EQ(ShownMessages().size(), 2u);
}

TEST_F(DeviceLoss, AMissingSheetAtTheRebuildEndsIt) {
    std::filesystem::remove(data.path + "grp/sheet_5.png");
    Settings().deviceRebuildRequest = 1;
    EXPECT_FALSE(Graphics().RebuildDevice());
    EXPECT_EQ(Scene().reloadPending, 1);
    EXPECT_EQ(Settings().deviceRebuildRequest, 1);
    ASSERT_EQ(ShownMessages().size(), 1u);
}

TEST(Device, AMissingShaderFileFailsOpenGLAndTheSoftwareFrameTakesOver) {
    TempFolder empty;
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_Window* window =
        SDL_CreateWindow("Tessaroid", 0, 0, 1280, 720, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    ASSERT_NE(window, nullptr);
    System system;
    CDx_Gr graphics;
    graphics.settings = &system;
    graphics.window = window;
    (void)TextFromUtf8(system.programFolder, kPathUnits, empty.path.c_str());
    EXPECT_EQ(CreateGlDevice(graphics), -1);
    ReleaseGlDevice(graphics);
    // The game then draws its frames itself.
    EXPECT_EQ(graphics.CreateDevice(), 1);
    EXPECT_EQ(graphics.renderer, kRendererSoftware);
    graphics.ReleaseDevice();
    // Beside the executable they are found.
    graphics.renderer = kRendererOpenGL;
    (void)TextFromUtf8(system.programFolder, kPathUnits, TESSAROID_GAME_DIR);
    EXPECT_EQ(graphics.CreateDevice(), 1);
    EXPECT_EQ(graphics.renderer, kRendererOpenGL);
    graphics.ReleaseDevice();
    SDL_DestroyWindow(window);
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}
