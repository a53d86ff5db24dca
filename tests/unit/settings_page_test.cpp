// The settings page: every line's wrap or clamp and its live effect, the pad button
// assignment, what happens while the ranking panel is open instead, and the page's layout.
#include "tests/unit/title_fixture.h"

namespace {

struct LineCase {
    int32_t line;
    int32_t start;
    int32_t direction;
    int32_t expected;
};

int32_t LiveValue(const System& s, const MapSceneEntity& m, int32_t line) {
    switch (line) {
        case 0:
            return s.fullScreen;
        case 1:
            return s.vsync;
        case 2:
            return s.timerMethod;
        case 3:
            return s.frameSkip;
        case 4:
            return s.bgmVolume / 500;
        case 5:
            return s.seVolume / 500;
        case 10:
            return m.panelColor;
        default:
            return s.buttonCodes[line - 6];
    }
}

}  // namespace

TEST_F(TitleTest, EachSettingsLineWrapsOrClampsAndTakesEffectAtOnce) {
    OpenPanel(kMenuSettings);
    const LineCase cases[] = {
        {10, 9, kRightBit, 0},  {10, 0, kLeftBit, 9},   {10, 4, kRightBit, 5}, {1, 0, kLeftBit, 1},
        {1, 1, kRightBit, 0},   {1, 0, kRightBit, 1},   {2, 3, kRightBit, 0},  {2, 0, kLeftBit, 3},
        {2, 1, kRightBit, 2},   {3, 0, kLeftBit, 1},    {3, 1, kLeftBit, 0},   {4, 0, kLeftBit, 0},
        {4, 20, kRightBit, 20}, {4, 7, kRightBit, 8},   {4, 7, kLeftBit, 6},   {5, 0, kLeftBit, 0},
        {5, 20, kRightBit, 20}, {5, 19, kRightBit, 20}, {6, 9, kRightBit, 0},  {6, 0, kLeftBit, 9},
        {7, 3, kRightBit, 4},   {8, 5, kLeftBit, 4},    {9, 8, kRightBit, 9},
    };
    for (const LineCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "line " << c.line << " from " << c.start);
        block().settingsCursor = c.line;
        system->settingsEdit[c.line] = c.start;
        Frame();  // the line's own rule settles with the start value
        Tap(c.direction);
        EXPECT_EQ(system->settingsEdit[c.line], c.expected);
        EXPECT_EQ(LiveValue(*system, *scene, c.line), c.expected);
    }
}

TEST_F(TitleTest, ScreenModeIsShownButNeverChangedHere) {
    system->fullScreen = 1;
    system->settingsEdit[0] = 1;
    OpenPanel(kMenuSettings);
    Tap(kLeftBit);
    EXPECT_EQ(system->settingsEdit[0], 0);
    Tap(kRightBit);
    EXPECT_EQ(system->settingsEdit[0], 0);
    EXPECT_EQ(system->fullScreen, 1);
    EXPECT_EQ(theSettingsShown.screenMode, 1);
}

TEST_F(TitleTest, HeldRightRaisesTheVolumeAtOnceAfter48FramesThenEveryThird) {
    OpenPanel(kMenuSettings);
    block().settingsCursor = 4;
    Frames(52, kRightBit);
    EXPECT_EQ(system->settingsEdit[4], 3);
    EXPECT_EQ(system->bgmVolume, 1500);
    Frames(100, kRightBit);
    EXPECT_EQ(system->bgmVolume, 10000);
}

TEST_F(TitleTest, VolumeAboveFullScaleFromAFileIsLeftAloneAndFillsTheBar) {
    system->bgmVolume = 50000;
    system->settingsEdit[4] = 100;
    OpenPanel(kMenuSettings);
    block().settingsCursor = 4;
    Tap(kLeftBit);
    EXPECT_EQ(system->settingsEdit[4], 99);
    EXPECT_EQ(system->bgmVolume, 50000);
    Frame();
    uint32_t filled = 0;
    for (uint32_t k = 0; k < DrawCount(); ++k) {
        if (Draw(k).dstY == 284 && Draw(k).sheet == 6 && GlyphChar(Draw(k)) == '>')
            ++filled;
    }
    EXPECT_EQ(filled, 20u);
}

TEST_F(TitleTest, PadFaceButtonIsAssignedOnAButtonLineEvenWhenItIsDecision) {
    OpenPanel(kMenuSettings);
    ASSERT_EQ(system->inputSource, 1);
    block().settingsCursor = 7;
    auto holdPad = [this](uint16_t buttons) {
        SetScriptedPad(true, buttons);
        theGame->input->pads[0].state.buttons = buttons;
    };
    holdPad(0x4000);  // X
    Frame();
    EXPECT_EQ(system->buttonCodes[1], 2);
    EXPECT_EQ(system->settingsEdit[7], 2);
    EXPECT_EQ(theSettingsShown.buttons[1], 2);
    // Its value box moves in the same frame: the cancellation box is the sixth after the
    // cursor box (title 7, bar 9, panel 9, cursor box 9, then nine boxes of nine).
    EXPECT_EQ(Draw(34 + 5 * 9 + 1).dstX, 512 + 30 * 2);
    EXPECT_EQ(Draw(34 + 5 * 9 + 1).dstY, 442);

    holdPad(0x1000 | 0x8000);  // A and Y: the last tested wins
    block().settingsCursor = 6;
    Frames(5, 0, kDecisionBit);  // decision is held too, and does not close the panel
    EXPECT_EQ(system->buttonCodes[0], 3);
    EXPECT_EQ(block().subScreen, kActive);
    EXPECT_EQ(effects.count, 0);

    system->inputSource = 0;  // keyboard only: the pad is not asked
    holdPad(0x2000);
    Frame();
    EXPECT_EQ(system->buttonCodes[0], 3);
}

TEST_F(TitleTest, RankingPanelEditsValuesThatApplyOnlyOnceTheSettingsPageShows) {
    OpenPanel(kMenuRanking);
    ASSERT_EQ(system->vsync, 1);
    Tap(kDownBit);
    Tap(kLeftBit);
    EXPECT_EQ(system->settingsEdit[1], 0);
    EXPECT_EQ(system->vsync, 1);  // nothing applied under the ranking
    // Close it, choose settings, open it: the edited value applies.
    Tap(0, kDecisionBit);
    Frames(10);
    ASSERT_EQ(block().subScreen, 0);
    Tap(kDownBit);
    Frames(9, 0, kDecisionBit);
    EXPECT_EQ(system->vsync, 0);
}

TEST_F(TitleTest, SettingsPageLayout) {
    system->bgmVolume = 1500;
    system->timerMethod = 1;
    OpenPanel(kMenuSettings);
    Frame();
    // Title 7, bar 9, panel 9; the page: cursor box 9, value boxes 81, labels 12 x 29,
    // volume bars 40, values 10 x 29, digit rows 5 x 29; then overlay, bands, status line.
    ASSERT_EQ(DrawCount(), 25u + 9 + 81 + 348 + 40 + 290 + 145 + 41);
    EXPECT_EQ(Draw(26).dstX, 324);  // the cursor box's top-left corner on line 0
    EXPECT_EQ(Draw(26).dstY, 54);
    EXPECT_EQ(Draw(34 + 2 * 9 + 1).dstX, 330 + 188);  // timer box on PerformanceCounter
    EXPECT_EQ(Draw(34 + 2 * 9 + 1).dstY, 182);

    const DrawCommand& s = Draw(115);  // the 'S' of SCREEN MODE
    EXPECT_EQ(GlyphChar(s), static_cast<uint32_t>('S'));
    EXPECT_EQ(s.srcX, 48);
    EXPECT_EQ(s.srcY, 160);
    EXPECT_EQ(s.dstX, 326);
    EXPECT_EQ(s.dstY, 54);
    EXPECT_EQ(s.dstW, 16);
    EXPECT_EQ(s.dstH, 32);
    EXPECT_EQ(Draw(115 + 28).dstX, 326 + 280);
    EXPECT_EQ(GlyphChar(Draw(115 + 28)), static_cast<uint32_t>(' '));

    // Volume bars, music and effects step by step: three filled music steps.
    for (int k = 0; k < 20; ++k) {
        EXPECT_EQ(GlyphChar(Draw(463 + 2 * k)), k < 3 ? '>' : '_') << k;
        EXPECT_EQ(Draw(463 + 2 * k).dstX, 366 + 10 * k);
        EXPECT_EQ(GlyphChar(Draw(464 + 2 * k)), static_cast<uint32_t>('_'));
        EXPECT_EQ(Draw(464 + 2 * k).dstY, 336);
    }
    EXPECT_EQ(GlyphChar(Draw(648)), static_cast<uint32_t>('P'));  // PerformanceCounter
    EXPECT_EQ(Draw(648).dstX, 522);
    EXPECT_EQ(Draw(648).dstY, 180);
    EXPECT_EQ(GlyphChar(Draw(793)), static_cast<uint32_t>('0'));  // the first digit row
    EXPECT_EQ(Draw(793 + 27).dstX, 522 + 270);
    EXPECT_EQ(GlyphChar(Draw(793 + 27)), static_cast<uint32_t>('9'));
    EXPECT_EQ(Draw(937).dstY, 596);
}

TEST_F(TitleTest, FrameShimmerRisesToTheTopAndThenWavers) {
    OpenPanel(kMenuSettings);
    scene->frameShimmer = 120;
    const int32_t expected[] = {124, 128, 124, 128};
    for (int32_t v : expected) {
        Frame();
        EXPECT_EQ(scene->frameShimmer, v);
    }
    // The next box's frame takes alpha 128 + 64.
    EXPECT_EQ(theBoxFrameColor, 0xC0FFFFFFu);
}
