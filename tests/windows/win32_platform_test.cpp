// The Win32 seams that have no Linux twin to share tests with: the named-mutex guard and
// its window check, the program path, XInput taken by its export number, the clocks.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "input/key_source.h"
#include "platform/clock.h"
#include "platform/instance_lock.h"
#include "platform/path16.h"
#include "platform/program_folder.h"

namespace {

// A window of the game's class and title, as a running copy would have.
HWND MakeRunningCopyWindow() {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"KvKv";
    RegisterClassExW(&windowClass);
    return CreateWindowExW(0, L"KvKv", L"Tessaroid", WS_OVERLAPPEDWINDOW, 0, 0, 64, 64, nullptr,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

TEST(Win32InstanceGuard, OnlyACopyWithItsWindowKeepsTheGameFromStarting) {
    EXPECT_TRUE(AcquireInstanceLock());  // the first copy takes the mutex
    // The mutex exists now, but no window: a copy that ended during start-up.
    EXPECT_TRUE(AcquireInstanceLock());
    HWND window = MakeRunningCopyWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(AcquireInstanceLock());
    DestroyWindow(window);
    EXPECT_TRUE(AcquireInstanceLock());
}

TEST(Win32ProgramFolder, ExecutablePathIsTheRunningProgram) {
    char16_t path[kPathUnits];
    ASSERT_TRUE(ExecutablePath(path, kPathUnits));
    std::u16string text(path);
    ASSERT_GT(text.size(), 3u);
    EXPECT_EQ(text.substr(1, 2), u":\\");
    EXPECT_EQ(text.substr(text.size() - 15), u"win32_tests.exe");
    char16_t tooSmall[8];
    EXPECT_FALSE(ExecutablePath(tooSmall, 8));
}

TEST(Win32Pads, ExportTwoIsTheGetStateCall) {
    HMODULE library = LoadLibraryExW(L"xinput1_4.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    ASSERT_NE(library, nullptr);
    EXPECT_EQ(reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(2))),
              reinterpret_cast<void*>(GetProcAddress(library, "XInputGetState")));
    for (int32_t user = 0; user < 4; ++user) {
        PadState state{};
        uint32_t result = ReadPadState(user, &state);
        EXPECT_TRUE(result == ERROR_SUCCESS || result == kPadNotConnected) << result;
    }
}

TEST(Win32Clock, BothClocksAdvanceAcrossASleep) {
    uint32_t frequency = ClockCounterFrequency();
    ASSERT_GT(frequency, 1000u);
    uint32_t milliseconds = ClockMilliseconds();
    uint32_t counter = ClockCounter();
    SleepMilliseconds(20);
    uint32_t elapsedMs = ClockMilliseconds() - milliseconds;
    uint32_t elapsedTicks = ClockCounter() - counter;
    EXPECT_GE(elapsedMs, 15u);
    EXPECT_LT(elapsedMs, 2000u);
    EXPECT_GE(elapsedTicks, frequency / 100);
}
