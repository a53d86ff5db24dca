// The end of a game: the curtain, the game-over picture, the cover fade, the score's entry
// into the ranking and the reset that readies the play state for the next game.
#pragma once

#include <cstdint>

struct PlayState;
class MapSceneEntity;
class System;

inline constexpr int32_t kCurtainBands = 32;       // the picture shows once the count passes it
inline constexpr int32_t kCoverAfterFrames = 256;  // the cover fade starts once it passes this
inline constexpr int32_t kNewcomerEntry = 10;

// Everything the end of the game does once the screen is covered: music and background
// requests, the ranking entry and sort, the play state reset, the fade back and scene 1.
void EndGame(PlayState& play, MapSceneEntity& scene, System& system);

// Entries 0..10 by score, highest first; equal scores keep their order.
void SortRanking(MapSceneEntity& scene);

// The play state back to its spawn values with an empty grid and queue (not yet ready).
void ResetPlayState(PlayState& play);
