// Which SDL scancodes press which of the 256 virtual-key codes the game reads its keys by.
// A scancode may press two codes: a modifier presses both its generic code (Shift 0x10)
// and its sided one (left Shift 0xA0), as the game's keyboard query answers for either.
#pragma once

#include <cstdint>

struct ScancodeKey {
    int32_t scancode;    // an SDL_Scancode
    uint8_t virtualKey;  // the code it presses
};

extern const ScancodeKey kScancodeKeys[];
extern const int32_t kScancodeKeyCount;

inline constexpr int32_t kScancodesPerKey = 4;

struct KeyScancodes {
    int32_t count;
    int32_t scancodes[kScancodesPerKey];
};

// For every virtual-key code, the scancodes that press it.
void BuildKeyScancodes(KeyScancodes (&table)[256]);
