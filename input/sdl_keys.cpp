// The key source of the game on SDL: the keyboard state by virtual-key code, and the first
// game controller as pad 0 in the XInput button layout. Main thread only.
#include <SDL.h>

#include "input/key_source.h"
#include "input/sdl_key_table.h"

namespace {

KeyScancodes keyScancodes[256];
bool tableBuilt = false;
SDL_GameController* controller = nullptr;

struct ButtonBit {
    SDL_GameControllerButton button;
    uint16_t bit;
};

constexpr ButtonBit kButtonBits[] = {
    {SDL_CONTROLLER_BUTTON_DPAD_UP, 0x0001},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, 0x0002},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, 0x0004},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, 0x0008},
    {SDL_CONTROLLER_BUTTON_START, 0x0010},
    {SDL_CONTROLLER_BUTTON_BACK, 0x0020},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, 0x0040},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, 0x0080},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 0x0100},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 0x0200},
    {SDL_CONTROLLER_BUTTON_A, 0x1000},
    {SDL_CONTROLLER_BUTTON_B, 0x2000},
    {SDL_CONTROLLER_BUTTON_X, 0x4000},
    {SDL_CONTROLLER_BUTTON_Y, 0x8000},
};

// The controller at joystick index 0, opened on first use; null when there is none.
SDL_GameController* FirstController() {
    if (controller != nullptr && SDL_GameControllerGetAttached(controller) == SDL_TRUE) {
        return controller;
    }
    if (controller != nullptr)
        SDL_GameControllerClose(controller);
    controller = nullptr;
    if (SDL_NumJoysticks() > 0 && SDL_IsGameController(0) == SDL_TRUE) {
        controller = SDL_GameControllerOpen(0);
    }
    return controller;
}

int16_t Axis(SDL_GameController* c, SDL_GameControllerAxis axis) {
    return SDL_GameControllerGetAxis(c, axis);
}

// SDL's vertical axes grow downwards, the pad record's upwards.
int16_t AxisUp(SDL_GameController* c, SDL_GameControllerAxis axis) {
    const int32_t value = SDL_GameControllerGetAxis(c, axis);
    return static_cast<int16_t>(value == -32768 ? 32767 : -value);
}

// Triggers run 0..32767 in SDL and 0..255 in the pad record.
uint8_t Trigger(SDL_GameController* c, SDL_GameControllerAxis axis) {
    const int32_t value = SDL_GameControllerGetAxis(c, axis);
    return static_cast<uint8_t>(value <= 0 ? 0 : value >> 7);
}

}  // namespace

bool KeyIsDown(int32_t virtualKey) {
    if (virtualKey < 0 || virtualKey > 255)
        return false;
    if (!tableBuilt) {
        BuildKeyScancodes(keyScancodes);
        tableBuilt = true;
    }
    int count = 0;
    const Uint8* state = SDL_GetKeyboardState(&count);
    const KeyScancodes& key = keyScancodes[virtualKey];
    for (int32_t k = 0; k < key.count; ++k) {
        const int32_t scancode = key.scancodes[k];
        if (scancode < count && state[scancode] != 0)
            return true;
    }
    return false;
}

uint32_t ReadPadState(int32_t userIndex, PadState* state) {
    if (userIndex != 0)
        return kPadNotConnected;  // only the first controller stands in
    SDL_GameControllerUpdate();
    SDL_GameController* c = FirstController();
    if (c == nullptr)
        return kPadNotConnected;
    uint16_t buttons = 0;
    for (const ButtonBit& b : kButtonBits) {
        if (SDL_GameControllerGetButton(c, b.button) != 0)
            buttons |= b.bit;
    }
    ++state->packetNumber;
    state->buttons = buttons;
    state->leftTrigger = Trigger(c, SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    state->rightTrigger = Trigger(c, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    state->thumbLX = Axis(c, SDL_CONTROLLER_AXIS_LEFTX);
    state->thumbLY = AxisUp(c, SDL_CONTROLLER_AXIS_LEFTY);
    state->thumbRX = Axis(c, SDL_CONTROLLER_AXIS_RIGHTX);
    state->thumbRY = AxisUp(c, SDL_CONTROLLER_AXIS_RIGHTY);
    return 0;
}
