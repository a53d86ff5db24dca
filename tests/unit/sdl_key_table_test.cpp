// The SDL scancode table behind the game's virtual-key codes.
#include "input/sdl_key_table.h"

#include <SDL_scancode.h>
#include <gtest/gtest.h>

#include <set>
#include <utility>

namespace {

struct Table {
    KeyScancodes keys[256];
    Table() { BuildKeyScancodes(keys); }
    std::set<int32_t> Of(int vk) const {
        return std::set<int32_t>(keys[vk].scancodes, keys[vk].scancodes + keys[vk].count);
    }
};

}  // namespace

TEST(SdlKeyTable, EveryKeyTheGameReadsHasItsScancode) {
    Table t;
    EXPECT_EQ(t.Of('A'), (std::set<int32_t>{SDL_SCANCODE_A}));
    EXPECT_EQ(t.Of('C'), (std::set<int32_t>{SDL_SCANCODE_C}));
    EXPECT_EQ(t.Of('S'), (std::set<int32_t>{SDL_SCANCODE_S}));
    EXPECT_EQ(t.Of('X'), (std::set<int32_t>{SDL_SCANCODE_X}));
    EXPECT_EQ(t.Of('Z'), (std::set<int32_t>{SDL_SCANCODE_Z}));
    EXPECT_EQ(t.Of(0x25), (std::set<int32_t>{SDL_SCANCODE_LEFT}));
    EXPECT_EQ(t.Of(0x26), (std::set<int32_t>{SDL_SCANCODE_UP}));
    EXPECT_EQ(t.Of(0x27), (std::set<int32_t>{SDL_SCANCODE_RIGHT}));
    EXPECT_EQ(t.Of(0x28), (std::set<int32_t>{SDL_SCANCODE_DOWN}));
    EXPECT_EQ(t.Of(0x0D), (std::set<int32_t>{SDL_SCANCODE_RETURN, SDL_SCANCODE_KP_ENTER}));
    EXPECT_EQ(t.Of(0x1B), (std::set<int32_t>{SDL_SCANCODE_ESCAPE}));
    EXPECT_EQ(t.Of(0x20), (std::set<int32_t>{SDL_SCANCODE_SPACE}));
}

TEST(SdlKeyTable, ModifiersPressTheirGenericAndTheirSidedCodes) {
    Table t;
    EXPECT_EQ(t.Of(0x10), (std::set<int32_t>{SDL_SCANCODE_LSHIFT, SDL_SCANCODE_RSHIFT}));
    EXPECT_EQ(t.Of(0x11), (std::set<int32_t>{SDL_SCANCODE_LCTRL, SDL_SCANCODE_RCTRL}));
    EXPECT_EQ(t.Of(0x12), (std::set<int32_t>{SDL_SCANCODE_LALT, SDL_SCANCODE_RALT}));
    EXPECT_EQ(t.Of(0xA0), (std::set<int32_t>{SDL_SCANCODE_LSHIFT}));
    EXPECT_EQ(t.Of(0xA1), (std::set<int32_t>{SDL_SCANCODE_RSHIFT}));
    EXPECT_EQ(t.Of(0xA2), (std::set<int32_t>{SDL_SCANCODE_LCTRL}));
    EXPECT_EQ(t.Of(0xA5), (std::set<int32_t>{SDL_SCANCODE_RALT}));
}

TEST(SdlKeyTable, NoPairRepeatsNoCodeIsZeroAndEveryScancodeIsReal) {
    std::set<std::pair<int32_t, int32_t>> pairs;
    for (int32_t i = 0; i < kScancodeKeyCount; ++i) {
        const ScancodeKey& k = kScancodeKeys[i];
        EXPECT_GT(k.scancode, SDL_SCANCODE_UNKNOWN);
        EXPECT_LT(k.scancode, SDL_NUM_SCANCODES);
        EXPECT_NE(k.virtualKey, 0);
        EXPECT_TRUE(pairs.insert({k.scancode, k.virtualKey}).second) << k.scancode;
    }
    Table t;
    int total = 0;
    for (const KeyScancodes& key : t.keys) total += key.count;
    EXPECT_EQ(total, kScancodeKeyCount);  // nothing was cut off
}
