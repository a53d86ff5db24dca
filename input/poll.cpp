// Poll and PollAllPads: the keyboard and the first pad folded into the direction and action
// bits once per frame. Main thread only, before the scene runs.
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "input/key_source.h"

namespace {

constexpr int32_t kKeyLeft = 0x25;
constexpr int32_t kKeyUp = 0x26;
constexpr int32_t kKeyRight = 0x27;
constexpr int32_t kKeyDown = 0x28;
constexpr int32_t kKeyA = 'A';
constexpr int32_t kKeyC = 'C';
constexpr int32_t kKeyS = 'S';
constexpr int32_t kKeyX = 'X';
constexpr int32_t kKeyZ = 'Z';

constexpr uint16_t kPadUp = 0x0001;
constexpr uint16_t kPadDown = 0x0002;
constexpr uint16_t kPadLeft = 0x0004;
constexpr uint16_t kPadRight = 0x0008;

bool Down(const System& system, int32_t key) {
    return system.keyStates[key] != 0;
}

// The pad button an arrangement code names: 0 A, 1 B, 2 X, 3 Y. Any other code (a damaged
// settings file can hold one) names no button rather than an undefined shift.
uint16_t FaceButton(uint8_t code) {
    return code < 4 ? static_cast<uint16_t>(0x1000u << code) : 0;
}

int32_t Directions(const System& system, uint16_t pad) {
    int32_t bits = 0;
    if (Down(system, kKeyUp) || (pad & kPadUp) != 0)
        bits |= kDirectionUp;
    if (Down(system, kKeyDown) || (pad & kPadDown) != 0)
        bits |= kDirectionDown;
    if (Down(system, kKeyLeft) || (pad & kPadLeft) != 0)
        bits |= kDirectionLeft;
    if (Down(system, kKeyRight) || (pad & kPadRight) != 0)
        bits |= kDirectionRight;
    return bits;
}

// Keyboard only passes a pad word of 0.
int32_t Buttons(const System& system, uint16_t pad, bool inGame) {
    const uint8_t* arrangement = system.buttonCodes;
    auto pressed = [pad](uint8_t code) { return (pad & FaceButton(code)) != 0; };
    int32_t bits = 0;
    // In the game the up arrow turns the piece, like the decision keys.
    if (Down(system, kKeyZ) || Down(system, kKeyC) || (inGame && Down(system, kKeyUp)) ||
        pressed(arrangement[0])) {
        bits |= DECISION;
    }
    if (Down(system, kKeyX) || pressed(arrangement[1]))
        bits |= CANCELLATION;
    if (Down(system, kKeyA) || pressed(arrangement[2]))
        bits |= PAUSE;
    if (Down(system, kKeyS) || pressed(arrangement[3]))
        bits |= SHIFT;
    return bits;
}

// Reads a pad still marked connected; a pad found missing is never read again, and its
// last button word is cleared so that no button stays held.
void ReadPad(PadSlot& slot, int32_t userIndex) {
    if (slot.connected == 0)
        return;
    if (ReadPadState(userIndex, &slot.state) == kPadNotConnected) {
        slot.connected = 0;
        slot.state.buttons = 0;
    }
}

}  // namespace

void CXi::Poll() {
    for (int32_t key = 0; key < 256; ++key) {
        system->keyStates[key] = KeyIsDown(key) ? 0x80 : 0;
    }
    const bool inGame = scene->sceneNumber == kSceneGame;
    if (system->inputSource == kInputKeyboard) {
        system->inputDirections = Directions(*system, 0);
        system->inputButtons = Buttons(*system, 0, inGame);
    } else if (system->inputSource == kInputKeyboardAndPad) {
        ReadPad(pads[0], 0);
        const uint16_t pad = pads[0].state.buttons;  // stored word, read this frame or not
        system->inputDirections = Directions(*system, pad);
        system->inputButtons = Buttons(*system, pad, inGame);
    }
    // Any other source: the key table is fresh, both bit sets keep their values.
}

void CXi::PollAllPads() {
    for (int32_t userIndex = 0; userIndex < 4; ++userIndex) ReadPad(pads[userIndex], userIndex);
}
