// Poll: the keyboard alone, the pad beside it with its button arrangement, and pads that go
// missing.
#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "input/scripted_keys.h"

namespace {

constexpr uint16_t kPadA = 0x1000;
constexpr uint16_t kPadB = 0x2000;
constexpr uint16_t kPadX = 0x4000;
constexpr uint16_t kPadY = 0x8000;

struct Input {
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    CXi xi;

    explicit Input(int32_t source, int32_t sceneNumber = kSceneTitle) {
        xi.system = system.get();
        xi.scene = scene.get();
        system->inputSource = source;
        scene->sceneNumber = sceneNumber;
        SetScriptedKeys(nullptr, 0);
        SetScriptedPad(false, 0);
    }
    ~Input() {
        SetScriptedKeys(nullptr, 0);
        SetScriptedPad(false, 0);
    }

    void Poll(std::initializer_list<uint8_t> keys) {
        SetScriptedKeys(keys.begin(), static_cast<int32_t>(keys.size()));
        xi.Poll();
    }
    void Arrange(uint8_t decision, uint8_t cancellation, uint8_t pause, uint8_t shift) {
        const uint8_t codes[4] = {decision, cancellation, pause, shift};
        for (int k = 0; k < 4; ++k) system->buttonCodes[k] = codes[k];
    }
    int32_t Dirs() const { return system->inputDirections; }
    int32_t Buttons() const { return system->inputButtons; }
};

}  // namespace

TEST(InputPoll, KeyboardKeysGiveTheirBitsAndTheKeyTable) {
    Input in(0);
    in.Poll({'Z'});
    EXPECT_EQ(in.Buttons(), DECISION);
    EXPECT_EQ(in.system->keyStates['Z'], 0x80);
    EXPECT_EQ(in.system->keyStates['Y'], 0);
    in.Poll({'C', 'X', 'A', 'S'});
    EXPECT_EQ(in.Buttons(), DECISION | CANCELLATION | PAUSE | SHIFT);
    in.Poll({0x25, 0x27, 0x28});
    EXPECT_EQ(in.Dirs(), kDirectionLeft | kDirectionRight | kDirectionDown);
    EXPECT_EQ(in.Buttons(), 0);
    in.Poll({});
    EXPECT_EQ(in.Dirs(), 0);
    EXPECT_EQ(in.system->keyStates['Z'], 0);
}

TEST(InputPoll, TheUpArrowAlsoDecidesOnlyInTheGame) {
    Input title(0, kSceneTitle);
    title.Poll({0x26});
    EXPECT_EQ(title.Dirs(), kDirectionUp);
    EXPECT_EQ(title.Buttons(), 0);
    Input game(0, kSceneGame);
    game.Poll({0x26});
    EXPECT_EQ(game.Dirs(), kDirectionUp);
    EXPECT_EQ(game.Buttons(), DECISION);
    Input padGame(1, kSceneGame);
    padGame.Poll({0x26});
    EXPECT_EQ(padGame.Buttons(), DECISION);
}

TEST(InputPoll, KeyboardOnlyIgnoresThePad) {
    Input in(0);
    SetScriptedPad(true, kPadA | 0x000F);
    in.Poll({});
    EXPECT_EQ(in.Dirs(), 0);
    EXPECT_EQ(in.Buttons(), 0);
}

TEST(InputPoll, ThePadFollowsTheButtonArrangement) {
    Input in(1);
    in.Arrange(1, 0, 2, 3);
    SetScriptedPad(true, kPadB);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), DECISION);
    SetScriptedPad(true, kPadA);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), CANCELLATION);
    SetScriptedPad(true, kPadX | kPadY);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), PAUSE | SHIFT);
    SetScriptedPad(true, 0x0001 | 0x0008);
    in.Poll({0x28});
    EXPECT_EQ(in.Dirs(), kDirectionUp | kDirectionRight | kDirectionDown);
}

TEST(InputPoll, AllFourActionsOnOneButtonFireTogether) {
    Input in(1);  // no stored settings: every arrangement byte is 0, button A
    SetScriptedPad(true, kPadA);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), DECISION | CANCELLATION | PAUSE | SHIFT);
    in.Arrange(3, 3, 3, 3);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), 0);
}

TEST(InputPoll, AnArrangementCodeBeyondYNamesNoButton) {
    Input in(1);
    in.Arrange(4, 200, 0, 3);
    SetScriptedPad(true, 0xFFFF);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), PAUSE | SHIFT);
}

TEST(InputPoll, APadMissingAtThePollIsNeverReadAgainAndHoldsNothing) {
    Input in(1);
    SetScriptedPad(true, kPadA);
    in.Poll({});
    EXPECT_EQ(in.Buttons(), 0x0F);
    SetScriptedPad(false, 0);  // unplugged with A held
    in.Poll({});
    EXPECT_EQ(in.xi.pads[0].connected, 0);
    EXPECT_EQ(in.Buttons(), 0);
    SetScriptedPad(true, kPadA);  // back again: not looked for during the run
    in.Poll({'X'});
    EXPECT_EQ(in.Buttons(), CANCELLATION);
}

TEST(InputPoll, AnotherSourceRefreshesOnlyTheKeyTable) {
    Input in(0);
    in.Poll({'Z', 0x25});
    in.system->inputSource = 2;
    in.Poll({'X'});
    EXPECT_EQ(in.Buttons(), DECISION);
    EXPECT_EQ(in.Dirs(), kDirectionLeft);
    EXPECT_EQ(in.system->keyStates['X'], 0x80);
    EXPECT_EQ(in.system->keyStates['Z'], 0);
}

TEST(InputPoll, PollingAllPadsDropsEveryMissingOne) {
    Input in(1);
    SetScriptedPad(true, kPadY);
    in.xi.PollAllPads();
    EXPECT_EQ(in.xi.pads[0].connected, 1);
    EXPECT_EQ(in.xi.pads[0].state.buttons, kPadY);
    for (int k = 1; k < 4; ++k) EXPECT_EQ(in.xi.pads[k].connected, 0) << k;
}
