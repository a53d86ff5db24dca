// The scripted key source for tests and tools: set the held keys and pad 0's buttons.
#pragma once

#include <cstdint>

void SetScriptedKeys(const uint8_t* virtualKeys, int32_t count);  // replaces the held set
void SetScriptedPad(bool connected, uint16_t buttons);             // pad 0; others absent
