// CXi: keyboard and pad polling. Once per frame Poll folds the keys and the first pad into
// the direction and action bits of System that every scene reads.
#pragma once

#include <cstdint>

class System;
class MapSceneEntity;

// The bits of System's inputDirections.
inline constexpr int32_t kDirectionUp = 1;
inline constexpr int32_t kDirectionDown = 2;
inline constexpr int32_t kDirectionLeft = 4;
inline constexpr int32_t kDirectionRight = 8;

// The bits of System's inputButtons: the four game actions.
inline constexpr int32_t DECISION = 1;
inline constexpr int32_t CANCELLATION = 2;
inline constexpr int32_t PAUSE = 4;
inline constexpr int32_t SHIFT = 8;

// One pad's last state, in the layout of the platform's pad-state record.
struct PadState {
    uint32_t packetNumber;
    uint16_t buttons;
    uint8_t leftTrigger;
    uint8_t rightTrigger;
    int16_t thumbLX;
    int16_t thumbLY;
    int16_t thumbRX;
    int16_t thumbRY;
};

struct PadSlot {
    PadState state;
    uint8_t connected;  // 1 until a read reports the pad is not connected
};

class CXi {
public:
    // Every pad slot starts marked connected; polling clears a slot that finds no pad.
    CXi() {
        for (PadSlot& pad : pads) pad.connected = 1;
    }
    virtual ~CXi() = default;

    System* system = nullptr;
    MapSceneEntity* scene = nullptr;
    PadSlot pads[4] = {};

    void Poll();
    void PollAllPads();
};
