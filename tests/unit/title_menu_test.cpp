// The title menu: its opening, the cursor with key repeat, the game start behind the fade,
// the ranking and settings panel, and the title while pictures load.
#include "tests/unit/title_fixture.h"

TEST_F(TitleTest, MenuOpensOverEightFramesAndWaitsForDecisionToBeReleased) {
    for (int k = 1; k <= 8; ++k) {
        Frame(0, kDecisionBit);
        EXPECT_EQ(block().titlePhase, kOpening);
        EXPECT_EQ(block().titleOpenCount, k);
    }
    Frames(30, 0, kDecisionBit);  // held through the opening: not active yet
    EXPECT_EQ(block().titlePhase, kOpened);
    EXPECT_EQ(effects.count, 0);
    Frame();
    EXPECT_EQ(block().titlePhase, kActive);
    EXPECT_EQ(block().menuCursor, kMenuStart);
    EXPECT_EQ(scene->sceneNumber, kSceneTitle);
}

TEST_F(TitleTest, HeldKeyMovesTheCursorAtOnceAfter48FramesThenEveryThird) {
    OpenMenu();
    Tap(kUpBit);
    ASSERT_EQ(block().menuCursor, kMenuSettings);  // 0 wraps to 2

    Frame(kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuRanking);
    Frames(47, kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuRanking);
    Frame(kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuStart);
    Frames(2, kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuStart);
    Frame(kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuSettings);
    Frames(3, kUpBit);
    EXPECT_EQ(block().menuCursor, kMenuRanking);

    // Releasing makes the next press act at once, and slowly again.
    Frame();
    Frame(kDownBit);
    EXPECT_EQ(block().menuCursor, kMenuSettings);
    Frame(kDownBit);
    EXPECT_EQ(block().menuCursor, kMenuSettings);
    Frame();
    Frame(kDownBit);
    EXPECT_EQ(block().menuCursor, kMenuStart);  // 2 wraps to 0
}

TEST_F(TitleTest, UpWinsOverDown) {
    OpenMenu();
    Tap(kUpBit | kDownBit);
    EXPECT_EQ(block().menuCursor, kMenuSettings);
}

TEST_F(TitleTest, StartClosesTheMenuFadesOutAndHandsOverToTheGame) {
    OpenMenu();
    scene->statusValues[0] = 7;
    scene->backgroundNumber = 3;
    scene->backgroundNeighbour = 5;

    Frame(0, kDecisionBit);
    EXPECT_EQ(effects.count, 1);
    EXPECT_EQ(effects.effects[0], 0);
    EXPECT_EQ(block().titlePhase, kClosing);
    EXPECT_EQ(block().titleOpenCount, 7);  // the closing step ran in the same frame
    Frames(7, 0, kDecisionBit);
    EXPECT_EQ(block().titleOpenCount, 0);
    Frames(10, 0, kDecisionBit);
    EXPECT_EQ(block().titlePhase, kClosed);
    EXPECT_EQ(scene->fadeIn, 0);  // waits for the release
    EXPECT_EQ(effects.count, 0);

    Frame();
    EXPECT_EQ(scene->fadeIn, 1);
    EXPECT_EQ(scene->fadeAlpha, 5);
    Frames(49);
    EXPECT_EQ(scene->fadeAlpha, 250);
    Frame();
    EXPECT_EQ(scene->fadeAlpha, 255);
    EXPECT_EQ(scene->sceneNumber, kSceneTitle);

    Frame();  // 51 frames after the fade began
    EXPECT_EQ(scene->sceneNumber, kSceneGame);
    EXPECT_EQ(scene->fadeIn, 0);
    EXPECT_EQ(scene->fadeOut, 1);
    EXPECT_EQ(scene->fadeAlpha, 250);  // this frame's fade step already began clearing
    EXPECT_EQ(scene->backgroundChangeRequest, 1);
    EXPECT_EQ(scene->backgroundNumber, 0);
    EXPECT_EQ(scene->backgroundNeighbour, 0);
    EXPECT_EQ(scene->statusValues[0], 1296);
    EXPECT_EQ(scene->statusValues[1], 912);
    EXPECT_EQ(system->bgmRestart, 0);
    EXPECT_EQ(scene->menuCursorShown, 0);
    EXPECT_EQ(scene->heapBlock, nullptr);
    const PauseAndTitleBlock zero{};
    EXPECT_EQ(std::memcmp(&block(), &zero, sizeof zero), 0);
}

TEST_F(TitleTest, RankingPanelOpensAndClosesWithDecision) {
    OpenMenu();
    Tap(kDownBit);
    Frame(0, kDecisionBit);
    EXPECT_EQ(effects.count, 1);
    EXPECT_EQ(block().subScreen, kOpening);
    EXPECT_EQ(block().panelOpenCount, 1);
    Frames(7, 0, kDecisionBit);
    EXPECT_EQ(block().panelOpenCount, 8);
    EXPECT_EQ(effects.count, 0);  // only the first frame accepts
    Frames(5, 0, kDecisionBit);
    EXPECT_EQ(block().subScreen, kOpened);
    Frame();
    EXPECT_EQ(block().subScreen, kActive);

    // The menu cursor stays put under the panel: start cannot be chosen from here.
    Frames(60, kDownBit);
    EXPECT_EQ(block().menuCursor, kMenuRanking);
    Tap(kUpBit);
    ASSERT_EQ(block().settingsCursor, 4);  // the panel's own cursor moved instead
    EXPECT_EQ(block().titlePhase, kActive);

    Frame(0, kDecisionBit);
    EXPECT_EQ(effects.count, 1);
    EXPECT_EQ(block().subScreen, kClosing);
    EXPECT_EQ(block().panelOpenCount, 7);
    Frames(7, 0, kDecisionBit);
    Frame(0, kDecisionBit);
    EXPECT_EQ(block().subScreen, kClosed);
    Frames(3, 0, kDecisionBit);
    EXPECT_EQ(block().subScreen, kClosed);
    Frame();
    EXPECT_EQ(block().subScreen, 0);
    EXPECT_EQ(scene->sceneNumber, kSceneTitle);
    EXPECT_EQ(block().titlePhase, kActive);
}

TEST_F(TitleTest, DecisionDoesNotCloseAPanelWhileTheSettingsCursorIsOnAButtonLine) {
    OpenPanel(kMenuRanking);
    for (int k = 0; k < 7; ++k) Tap(kDownBit);  // the ranking panel moves it too
    ASSERT_EQ(block().settingsCursor, 7);
    Frames(5, 0, kDecisionBit);
    EXPECT_EQ(block().subScreen, kActive);
    EXPECT_EQ(effects.count, 0);
    Tap(kDownBit);
    Tap(kDownBit);
    Tap(kDownBit);
    ASSERT_EQ(block().settingsCursor, 10);
    Frame(0, kDecisionBit);
    EXPECT_EQ(block().subScreen, kClosing);
}

TEST_F(TitleTest, PanelGrowsFromItsCornerInItsColourColumn) {
    OpenMenu();
    Tap(kDownBit);
    scene->panelColor = 3;
    Frames(3, 0, kDecisionBit);
    // The panel is the first thing drawn after the cursor bar's nine pieces.
    uint32_t k = 0;
    while (k < DrawCount() && !(Draw(k).dstX == 212 && Draw(k).dstY == 4)) ++k;
    ASSERT_LT(k + 8, DrawCount());
    EXPECT_EQ(Draw(k).dstW, 330 - 8);
    EXPECT_EQ(Draw(k).dstH, 270 - 8);
    EXPECT_EQ(Draw(k).srcX, 48);
    EXPECT_EQ(Draw(k).color, 0x7FFFFFFFu);
    EXPECT_EQ(Draw(k + 2).dstX, 208 + 330 - 4);  // top-right corner
    EXPECT_EQ(Draw(k + 2).srcX, 48 + 12);
    EXPECT_EQ(Draw(k + 2).color, 0xBFFFFFFFu);
    EXPECT_EQ(Draw(k + 8).sheet, 5);
}

TEST_F(TitleTest, WhilePicturesLoadOnlyTheWaitingPictureShowsAndTheMenuStands) {
    scene->reloadPending = 1;
    Frames(20, kDownBit, kDecisionBit);
    EXPECT_EQ(block().titlePhase, 0);
    EXPECT_EQ(block().titleOpenCount, 0);
    EXPECT_EQ(effects.count, 0);
    EXPECT_EQ(theTitleAnimation.titleScroll, 0);
    // Waiting picture twice, fade overlay, four bands, 36 status glyphs.
    ASSERT_EQ(DrawCount(), 2u + 1 + 4 + 36);
    EXPECT_EQ(Draw(0).sheet, 2);
    EXPECT_EQ(Draw(0).srcY, 256);
    EXPECT_EQ(Draw(1).dstY, 241 + theTitleAnimation.titleBob);
    scene->reloadPending = 0;
    Frame();
    EXPECT_EQ(block().titlePhase, kOpening);
}

TEST_F(TitleTest, RepeatRuleCountsSlowlyToReadyThenFast) {
    int32_t counter = 0, fast = 0;
    for (int k = 1; k < 48; ++k) {
        StepRepeat(counter, fast, true);
        ASSERT_EQ(counter, k);
        ASSERT_EQ(fast, 0);
    }
    StepRepeat(counter, fast, true);
    EXPECT_EQ(counter, 48);
    EXPECT_EQ(fast, 1);
    counter = 0;
    StepRepeat(counter, fast, true);
    EXPECT_EQ(counter, 16);
    StepRepeat(counter, fast, true);
    StepRepeat(counter, fast, true);
    EXPECT_EQ(counter, 48);
    EXPECT_EQ(fast, 1);
    counter = 5;
    StepRepeat(counter, fast, false);
    EXPECT_EQ(counter, 48);
    EXPECT_EQ(fast, 0);
}
