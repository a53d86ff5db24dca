// The key source of the game on Windows: GetAsyncKeyState for the keys, and XInput 1.4's
// get-state call for the pads, taken from xinput1_4.dll by its export number 2 when first
// needed. Without the library every pad reads as not connected. Main thread only.
#include <windows.h>
// After windows.h: the pad-state record.
#include <xinput.h>

#include "input/key_source.h"

namespace {

using GetStateCall = DWORD(WINAPI*)(DWORD userIndex, XINPUT_STATE* state);

GetStateCall theGetState = nullptr;
bool theLibraryTried = false;

GetStateCall PadStateCall() {
    if (!theLibraryTried) {
        theLibraryTried = true;
        HMODULE library = LoadLibraryExW(L"xinput1_4.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (library != nullptr) {
            theGetState = reinterpret_cast<GetStateCall>(
                reinterpret_cast<void*>(GetProcAddress(library, MAKEINTRESOURCEA(2))));
        }
    }
    return theGetState;
}

}  // namespace

bool KeyIsDown(int32_t virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return false;
    return GetAsyncKeyState(virtualKey) != 0;  // any bit counts, the "pressed since" one too
}

uint32_t ReadPadState(int32_t userIndex, PadState* state) {
    GetStateCall call = PadStateCall();
    if (call == nullptr)
        return kPadNotConnected;
    XINPUT_STATE read{};
    read.dwPacketNumber = state->packetNumber;
    read.Gamepad.wButtons = state->buttons;
    read.Gamepad.bLeftTrigger = state->leftTrigger;
    read.Gamepad.bRightTrigger = state->rightTrigger;
    read.Gamepad.sThumbLX = state->thumbLX;
    read.Gamepad.sThumbLY = state->thumbLY;
    read.Gamepad.sThumbRX = state->thumbRX;
    read.Gamepad.sThumbRY = state->thumbRY;
    uint32_t result = call(static_cast<DWORD>(userIndex), &read);
    // The record stays as the call left it, whatever the result.
    state->packetNumber = read.dwPacketNumber;
    state->buttons = read.Gamepad.wButtons;
    state->leftTrigger = read.Gamepad.bLeftTrigger;
    state->rightTrigger = read.Gamepad.bRightTrigger;
    state->thumbLX = read.Gamepad.sThumbLX;
    state->thumbLY = read.Gamepad.sThumbLY;
    state->thumbRX = read.Gamepad.sThumbRX;
    state->thumbRY = read.Gamepad.sThumbRY;
    return result;
}
