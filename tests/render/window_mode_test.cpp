// The window's screen-mode switch on SDL's offscreen driver, which, like X11 without a window
// manager, leaves SDL reporting the desktop's size after full screen ends.
#include <SDL.h>
#include <gtest/gtest.h>

#include "app/window.h"
#include "app/window_procedure.h"
#include "game/system.h"

TEST(WindowMode, AltEnterTwiceGivesBackTheWindowAndItsSize) {
    ASSERT_TRUE(InitWindowSystem());
    GameWindow* window = CreateGameWindow(1280, 720);
    ASSERT_NE(window, nullptr);
    auto* sdlWindow = static_cast<SDL_Window*>(NativeWindowHandle(window));
    System system;
    WindowProcedure procedure(&system);
    auto altEnter = [&] {
        procedure.Post(WindowMessage{kMessageCommand, kCommandToggleScreenMode, {}});
        EXPECT_FALSE(PumpOneMessage(window, procedure));
        for (int k = 0; k < 8; ++k) (void)PumpOneMessage(window, procedure);  // its size events
    };

    altEnter();
    EXPECT_EQ(system.fullScreen, 1);
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN_DESKTOP, 0u);
    altEnter();
    EXPECT_EQ(system.fullScreen, 0);
    EXPECT_EQ(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_FULLSCREEN, 0u);
    int width = 0, height = 0;
    SDL_GetWindowSize(sdlWindow, &width, &height);
    EXPECT_EQ(width, 1280);
    EXPECT_EQ(height, 720);

    DestroyGameWindow(window);
    QuitWindowSystem();
}
