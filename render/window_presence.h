// What both Linux backends do with the game window: size the frame, show it full screen as
// the setting says, and notice when it needs its whole picture again though the frame did not change.
#pragma once

#include <SDL.h>

#include <cstdint>

#include "render/device_rules.h"

// Full screen as the setting says: the desktop's mode, the frame stretched onto it.
void ApplyScreenMode(SDL_Window* window, int32_t fullScreen);

// The size a device made on the window now draws its frame at (the client size the first
// device took is remembered for both backends, so a fallback keeps it too), with the window
// put in the screen mode the setting says.
[[nodiscard]] CreationSize StartDeviceOnWindow(SDL_Window* window, int32_t fullScreen);

// From now on a window shown again, uncovered, restored or resized sets *presentRequired
// (main thread: SDL calls event watches where events are pumped). Null stops watching.
void WatchWindowPresence(bool* presentRequired);
