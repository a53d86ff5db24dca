// Keys and pads from a script.
#include "input/scripted_keys.h"

#include "input/key_source.h"

namespace {

bool heldKeys[256] = {};
bool padConnected = false;
uint16_t padButtons = 0;
uint32_t padPacket = 0;

}  // namespace

void SetScriptedKeys(const uint8_t* virtualKeys, int32_t count) {
    for (bool& held : heldKeys) held = false;
    for (int32_t k = 0; k < count; ++k) heldKeys[virtualKeys[k]] = true;
}

void SetScriptedPad(bool connected, uint16_t buttons) {
    padConnected = connected;
    padButtons = buttons;
}

bool KeyIsDown(int32_t virtualKey) {
    return virtualKey >= 0 && virtualKey < 256 && heldKeys[virtualKey];
}

uint32_t ReadPadState(int32_t userIndex, PadState* state) {
    if (userIndex != 0 || !padConnected) return kPadNotConnected;
    *state = PadState{};
    state->packetNumber = ++padPacket;
    state->buttons = padButtons;
    return 0;
}
