// The Win32 window under a real window system (Wine on Xvfb): its client size and title,
// the 16:9 rule with the frame this system draws, activation, and Esc through the
// accelerator table to the quit message. (Alt+Enter needs Alt really held, which the
// accelerator reads from the key state, not from the message.)
#include <gtest/gtest.h>
#include <windows.h>

#include "app/window.h"
#include "app/window_procedure.h"
#include "game/system.h"

namespace {

class Win32Window : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitWindowSystem());
        window = CreateGameWindow(1280, 720);
        ASSERT_NE(window, nullptr);
        handle = static_cast<HWND>(NativeWindowHandle(window));
        (void)PumpOneMessage(window, procedure);  // binds the procedure to the window
    }
    void TearDown() override {
        DestroyGameWindow(window);
        QuitWindowSystem();
    }
    // Pumps up to frames messages; true when the quit message came.
    bool PumpUntilQuit(int frames) {
        for (int k = 0; k < frames; ++k) {
            if (PumpOneMessage(window, procedure))
                return true;
        }
        return false;
    }

    System system;
    WindowProcedure procedure{&system};
    GameWindow* window = nullptr;
    HWND handle = nullptr;
};

}  // namespace

TEST_F(Win32Window, ClientAreaAndTitleAreTheGames) {
    RECT client{};
    ASSERT_TRUE(GetClientRect(handle, &client));
    EXPECT_EQ(client.right - client.left, 1280);
    EXPECT_EQ(client.bottom - client.top, 720);
    EXPECT_EQ(FindWindowW(L"KvKv", L"Tessaroid"), handle);
    // The class carries the program's icon, resource 107 (linked into this test too).
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    ASSERT_TRUE(GetClassInfoExW(GetModuleHandleW(nullptr), L"KvKv", &windowClass));
    EXPECT_NE(windowClass.hIcon, nullptr);
    ICONINFO icon{};
    ASSERT_TRUE(GetIconInfo(windowClass.hIcon, &icon));
    BITMAP picture{};
    ASSERT_NE(GetObjectW(icon.hbmColor, sizeof picture, &picture), 0);
    EXPECT_EQ(picture.bmWidth, GetSystemMetrics(SM_CXICON));
    DeleteObject(icon.hbmColor);
    DeleteObject(icon.hbmMask);
}

TEST_F(Win32Window, DraggingTheRightEdgeKeepsTheClientAt16By9) {
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(handle, &frame));
    RECT client{};
    ASSERT_TRUE(GetClientRect(handle, &client));
    const LONG frameWidth = (frame.right - frame.left) - client.right;
    const LONG frameHeight = (frame.bottom - frame.top) - client.bottom;
    RECT dragged{0, 0, 960 + frameWidth, 100};
    SendMessageW(handle, WM_SIZING, WMSZ_RIGHT, reinterpret_cast<LPARAM>(&dragged));
    EXPECT_EQ(dragged.bottom - dragged.top - frameHeight, 540);
    EXPECT_EQ(dragged.right, 960 + frameWidth);
}

TEST_F(Win32Window, ActivationFollowsTheWindow) {
    SendMessageW(handle, WM_ACTIVATE, WA_INACTIVE, 0);
    EXPECT_EQ(system.active, 0);
    SendMessageW(handle, WM_ACTIVATE, WA_ACTIVE, 0);
    EXPECT_EQ(system.active, 1);
}

TEST_F(Win32Window, EscClosesTheWindowAndEndsInQuit) {
    PostMessageW(handle, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
    EXPECT_TRUE(PumpUntilQuit(50));
    EXPECT_FALSE(IsWindow(handle));
}
