// The game window on the platform's window system: created once at start-up, pumped one
// message per frame, destroyed by the exit sequence.
#pragma once

#include <cstdint>

#include "render/render.h"

class WindowProcedure;
struct GameWindow;

// Brings up the window system (the window class). False: it cannot be had.
[[nodiscard]] bool InitWindowSystem();
void QuitWindowSystem();

// A window titled "Tessaroid" with the given client size, shown, made for the way to the
// screen in renderer (a RendererKind). Where a window for OpenGL cannot be made, a plain one
// is, with a word on standard error, and renderer becomes kRendererSoftware. The Win32 window
// ignores it. Null on failure.
[[nodiscard]] GameWindow* CreateGameWindow(int32_t clientWidth, int32_t clientHeight,
                                           int32_t& renderer);
// A window for OpenGL on Linux, for Direct3D on Windows: the render and window tests' own.
[[nodiscard]] inline GameWindow* CreateGameWindow(int32_t clientWidth, int32_t clientHeight) {
    int32_t renderer = kRendererOpenGL;
    return CreateGameWindow(clientWidth, clientHeight, renderer);
}
void DestroyGameWindow(GameWindow* window);

// The handle the renderer creates its device on.
[[nodiscard]] void* NativeWindowHandle(GameWindow* window);

// Takes at most one message, posted or from the window system, and dispatches it. True
// when it was the quit message.
[[nodiscard]] bool PumpOneMessage(GameWindow* window, WindowProcedure& procedure);

// The screen saver stays off while the game runs.
void DisableScreenSaver();
void EnableScreenSaver();

// The frame's keep-awake step: neither the display nor the machine goes to sleep while the
// game runs, even with no key pressed for a long time.
void KeepAwake();
