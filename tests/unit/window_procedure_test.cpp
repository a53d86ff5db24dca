// The window procedure and the 16:9 resize rule.
#include "app/window_procedure.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/window_rules.h"
#include "game/system.h"

namespace {

WindowRect Client(int32_t w, int32_t h) {
    return WindowRect{100, 50, 100 + w, 50 + h};
}

}  // namespace

TEST(WindowRules, SideEdgesKeepSixteenByNine) {
    WindowRect r = Client(1280, 400);
    ConstrainSizing(kEdgeRight, r, 0, 0);
    EXPECT_EQ(r.bottom - r.top, 720);
    r = Client(1001, 10);
    ConstrainSizing(kEdgeLeft, r, 0, 0);
    EXPECT_EQ(r.bottom - r.top, 563);  // 563.0625 truncated
    r = Client(10, 720);
    ConstrainSizing(kEdgeBottom, r, 0, 0);
    EXPECT_EQ(r.right - r.left, 1280);
    EXPECT_EQ(r.left, 100);
}

TEST(WindowRules, FrameSizesAreLeftOutOfTheShape) {
    // A frame of 16 wide and 39 high around a 1280 wide client gives 720 high client.
    WindowRect r{0, 0, 1296, 100};
    ConstrainSizing(kEdgeRight, r, 16, 39);
    EXPECT_EQ(r.bottom, 759);
}

TEST(WindowRules, ExactlySixteenByNineCornerAdjustsTheHeight) {
    WindowRect r = Client(1600, 900);
    WindowRect before = r;
    ConstrainSizing(kEdgeTopLeft, r, 0, 0);
    EXPECT_EQ(r.left, before.left);
    EXPECT_EQ(r.top, before.bottom - 900);
}

TEST(WindowRules, CornersMoveTheDraggedSide) {
    WindowRect narrow = Client(800, 900);  // below 16:9: the width follows the height
    ConstrainSizing(kEdgeBottomLeft, narrow, 0, 0);
    EXPECT_EQ(narrow.right, 900);
    EXPECT_EQ(narrow.right - narrow.left, 1600);
    WindowRect wide = Client(2000, 900);  // wider: the height follows the width
    ConstrainSizing(kEdgeTopRight, wide, 0, 0);
    EXPECT_EQ(wide.bottom, 950);
    EXPECT_EQ(wide.bottom - wide.top, 1125);
    WindowRect flat = Client(500, 0);
    ConstrainSizing(kEdgeBottomRight, flat, 0, 0);  // zero height counts as wide
    EXPECT_EQ(flat.bottom - flat.top, 281);
}

TEST(WindowRules, OtherEdgeValuesLeaveTheRectangle) {
    WindowRect r = Client(333, 444);
    ConstrainSizing(9, r, 0, 0);
    EXPECT_EQ(r.right - r.left, 333);
    EXPECT_EQ(r.bottom - r.top, 444);
}

TEST(WindowProcedure, ActivationFollowsTheMessage) {
    System s;
    WindowProcedure proc(&s);
    WindowMessage m{kMessageActivate, 0, {}};
    proc.Dispatch(m);
    EXPECT_EQ(s.active, 0);
    m.wParam = 2;
    proc.Dispatch(m);
    EXPECT_EQ(s.active, 1);
}

TEST(WindowProcedure, EscClosesThroughCloseThenDestroyThenQuit) {
    System s;
    WindowProcedure proc(&s);
    WindowMessage m{kMessageCommand, kCommandClose, {}};
    proc.Dispatch(m);
    EXPECT_FALSE(proc.windowDestroyed);
    WindowMessage next;
    ASSERT_TRUE(proc.TakePosted(next));
    EXPECT_EQ(next.kind, kMessageClose);
    EXPECT_FALSE(proc.TakePosted(m));  // one message per frame: the close comes first
    proc.Dispatch(next);
    EXPECT_TRUE(proc.windowDestroyed);
    ASSERT_TRUE(proc.TakePosted(next));
    EXPECT_EQ(next.kind, kMessageQuit);
}

TEST(WindowProcedure, AltEnterTwiceReturnsToTheFirstMode) {
    System s;
    WindowProcedure proc(&s);
    WindowMessage m{kMessageCommand, kCommandToggleScreenMode, {}};
    proc.Dispatch(m);
    EXPECT_EQ(s.fullScreen, 1);
    proc.Dispatch(m);
    EXPECT_EQ(s.fullScreen, 0);
    WindowMessage other{kMessageCommand, 41, {}};
    proc.Dispatch(other);
    EXPECT_EQ(s.fullScreen, 0);
    EXPECT_FALSE(proc.TakePosted(m));
}

TEST(WindowProcedure, SizingMessageChangesItsRectangle) {
    System s;
    WindowProcedure proc(&s);
    WindowMessage m{kMessageSizing, kEdgeRight, Client(1280, 100)};
    proc.Dispatch(m);
    EXPECT_EQ(m.rect.bottom - m.rect.top, 720);
}
