// Where Poll reads the keyboard and the pads from: the window system's key state in the
// game, a script in the tests and in tessaroid-trace. Chosen at link time.
#pragma once

#include <cstdint>

#include "input/input.h"

inline constexpr uint32_t kPadNotConnected = 1167;

// True when the key with this virtual-key code (0..255) is down.
[[nodiscard]] bool KeyIsDown(int32_t virtualKey);

// Reads pad userIndex (0..3) into state: 0 on success, kPadNotConnected when there is none.
[[nodiscard]] uint32_t ReadPadState(int32_t userIndex, PadState* state);
