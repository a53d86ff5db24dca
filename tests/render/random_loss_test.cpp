// The device lost at random frames while the title and the game run through the real frame
// loop with random keys and focus changes: every loss is rebuilt with the sheets read again,
// the frames look as before, and a sheet gone from the disk at a rebuild ends the loop.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "app/frame_loop.h"
#include "assets/pictures.h"
#include "audio/audio.h"
#include "frontend/title_scene.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "input/scripted_keys.h"
#include "platform/files.h"
#include "platform/path16.h"
#include "render/gl_local.h"
#include "render/render.h"
#include "tests/render/render_fixture.h"
#include "tests/unit/png_test_file.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

// The frame loop's shell on a clock that moves only when waited on, with the game's own
// scenes, renderer and device check; a loss is forced at random presents.
struct LossShell {
    std::mt19937 random{20261208};
    uint32_t now = 0;
    int32_t losses = 0;
    int32_t rebuilds = 0;

    uint32_t Milliseconds() { return now; }
    uint32_t Counter() { return now; }
    void SleepMilliseconds(uint32_t milliseconds) { now += milliseconds; }
    void SleepBriefly() { ++now; }
    void YieldTimeSlice() {}
    void KeepAwake() {}
    bool PumpOneMessage() {
        if (random() % 60 == 0)
            theGame->system->active = theGame->system->active == 1 ? 0 : 1;  // focus changes
        return false;
    }
    void PollInput() {
        static constexpr uint8_t kKeys[] = {0x25, 0x26, 0x27, 0x28, 'Z', 'X', 'C', 'A'};
        uint8_t held[2] = {kKeys[random() % 8], kKeys[random() % 8]};
        SetScriptedKeys(held, static_cast<int32_t>(random() % 3));
        theGame->input->Poll();
    }
    void RunScene(int32_t sceneNumber) {
        if (sceneNumber == kSceneTitle)
            (void)RunTitleFrame();
        else if (sceneNumber == kSceneGame)
            (void)RunGameFrame();
    }
    void RenderFrame() {
        static constexpr int32_t kReasons[] = {kDeviceHung, kDeviceReset, kDeviceRemoved};
        if (random() % 20 == 0) {
            theGame->graphics->device->forcedLoss = kReasons[random() % 3];
            ++losses;
        }
        (void)theGame->graphics->RenderFrame();
    }
    void ServiceEffectVoices() {}
    void CheckDevice() { theGame->graphics->CheckDevice(); }
    bool RebuildDevice() {
        ++rebuilds;
        return theGame->graphics->RebuildDevice();
    }
};
static_assert(FrameShell<LossShell>);

class RandomLoss : public RenderTest {
protected:
    void SetUp() override {
        RenderTest::SetUp();
        std::filesystem::create_directories(data.path + "grp");
        (void)TextFromUtf8(Settings().dataPath, kPathUnits, data.path.c_str());
        for (int i = 0; i < kLoadedPictures; ++i) {
            const std::string name = "grp/sheet_" + std::to_string(i) + ".png";
            data.Write(name, PlainSheet(static_cast<uint8_t>(30 * i), 200, 100));
            (void)TextFromUtf8(Scene().pictureNames[i], kNameUnits, name.c_str());
        }
        Scene().reloadPending = 1;
        ASSERT_TRUE(LoadPictures());
        theGame->input->system = &Settings();
        theGame->input->scene = &Scene();
        theGame->audio->settings = &Settings();
        Settings().active = 1;
        Settings().timerMethod = 3;
        InitFrameLoop(loop, 1000);
    }
    void TearDown() override {
        theFileFaults = FileFaults{};
        SetScriptedKeys(nullptr, 0);
        RenderTest::TearDown();
    }
    // A frame showing a corner of each of the eight sheets.
    std::vector<uint8_t> SheetsFrame() {
        std::vector<DrawCommand> commands;
        for (int32_t s = 0; s < kLoadedPictures; ++s)
            commands.push_back(Sprite(160 * s, 0, 160, 360, s));
        Draw(commands);
        return frame;
    }
    TempFolder data;
    FrameLoopState loop;
    LossShell shell;
};

}  // namespace

TEST_F(RandomLoss, EveryLossIsRebuiltWithItsSheetsAndTheGameRunsOn) {
    const std::vector<uint8_t> before = SheetsFrame();
    for (int f = 0; f < 600; ++f) {
        ASSERT_EQ(RunFrame(loop, Settings(), Scene(), shell), FrameResult::Continue) << f;
    }
    EXPECT_GE(shell.losses, 10);
    EXPECT_EQ(shell.rebuilds, shell.losses);
    for (const ShownMessage& m : ShownMessages()) EXPECT_EQ(m.text, u"失敗しました。");
    EXPECT_EQ(Scene().reloadPending, 0);
    for (int i = 0; i < kLoadedPictures; ++i) EXPECT_NE(Device().textures[i], 0u) << i;
    EXPECT_EQ(SheetsFrame(), before);
}

TEST_F(RandomLoss, ASheetGoneAtTheRebuildEndsTheLoop) {
    // The rebuild opens the two shader files and three sheets; the fourth sheet has gone.
    theFileFaults.readOpensLeft = 5;
    Device().forcedLoss = kDeviceRemoved;
    Settings().deviceRebuildRequest = 1;  // as its present would have asked
    EXPECT_EQ(RunFrame(loop, Settings(), Scene(), shell), FrameResult::Failed);
    ASSERT_FALSE(ShownMessages().empty());
    const std::u16string last = ShownMessages().back().text;
    EXPECT_NE(last.find(u"sheet_3.png ファイルが見つかりません"), std::u16string::npos);
    EXPECT_EQ(Scene().reloadPending, 1);
}
