// A Game wired as start-up wires it, with theGame set, the play state as at program start
// and the game scene current, driven frame by frame with scripted keys.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

#include "audio/audio.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/play_state.h"
#include "game/system.h"
#include "render/draw_command.h"

inline constexpr uint8_t kVkLeft = 0x25;
inline constexpr uint8_t kVkUp = 0x26;
inline constexpr uint8_t kVkRight = 0x27;
inline constexpr uint8_t kVkDown = 0x28;

class GameFrames {
public:
    GameFrames();
    ~GameFrames();

    // Holds these keys (virtual-key codes) from now on.
    void Keys(std::initializer_list<uint8_t> keys);
    // Polls and runs the game-scene frame n times; the effect log covers the last frame.
    void Run(int32_t frames);
    // The same with these keys held.
    void Run(int32_t frames, std::initializer_list<uint8_t> keys);

    // The last frame's commands in submission order.
    [[nodiscard]] std::vector<DrawCommand> Commands() const;
    // The effects played in the last frame.
    [[nodiscard]] std::vector<int32_t> Effects() const;

    Game* game;
    System& system;
    MapSceneEntity& scene;
    PlayState& play;

private:
    EffectLog effectLog{};
    std::unique_ptr<DrawCommand[]> commandLog;
};

// The play state as at program start: all zero but pieceX 96 and repeatCounter 24.
void ResetPlayStateToStart();
