// What follows the fall in the play frame: the lock, the end-of-game count, row clearing,
// levels and the row score.
#pragma once

#include <cstdint>

#include "game/pieces.h"

struct PlayState;
class CXa2;

inline constexpr int32_t kLinesPerLevel = 20;
inline constexpr int32_t kTopLevelIndex = 9;  // shown as level 10
inline constexpr int32_t kClearEffect = 14;
inline constexpr int32_t kFourRowsEffect = 11;

// Writes the piece into the empty cells under it, adds the lock score, advances the queue,
// spawns the next piece and counts the lock.
void LockPiece(PlayState& play, PieceRandom& random);

// After the lock test: a piece at rest after more than three locks in a row (each new piece
// came to rest where it appeared) counts one frame towards the end of the game.
void CountBlockedFrame(PlayState& play);

// Clears every full row from the top down; returns how many were cleared.
[[nodiscard]] int32_t ClearFullRows(PlayState& play);

// Twenty rows raise the level index by one, up to 9; the count starts again from 0.
void StepLevel(PlayState& play);

// The score and effect for rows cleared in this frame, at the current level.
void AddRowScore(PlayState& play, int32_t rows, CXa2& audio);
