// The falling piece in the walled grid: set-up, sideways moves with auto-repeat, turns,
// contact flags, the fall, the soft drop and the timing of a lock. Steps of the play frame,
// called in this order once per frame on the play state.
#pragma once

#include <cstdint>

#include "game/pieces.h"

struct PlayState;

inline constexpr int32_t kCellPixels = 24;
inline constexpr int32_t kWallCell = 9;
inline constexpr int32_t kFloorRow = 28;
inline constexpr int32_t kLockFrames = 30;  // a piece locks in the 31st frame at rest

// The cell at (row, column); cells outside the grid read as wall.
[[nodiscard]] int32_t GridCell(const PlayState& play, int32_t row, int32_t column);

// Empties the grid and builds the walls (columns 0 and 11) and the floor (row 28).
void SetUpGrid(PlayState& play);

// Sideways step and auto-repeat (not while paused).
void StepHorizontal(PlayState& play, int32_t directions, int32_t buttons);

// The grid column and row of each of the 16 box cells.
void ComputeBoxCoordinates(PlayState& play);

// True when the falling piece in this orientation overlaps a non-empty grid cell.
[[nodiscard]] bool ShapeCollides(const PlayState& play, Orientation orientation);

// Clockwise turn on DECISION, then counter-clockwise on CANCELLATION (not while paused).
void StepTurns(PlayState& play, int32_t buttons);

// blockedLeft, blockedRight and landed for the piece where it is now.
void ComputeContactFlags(PlayState& play);

// The fall, the soft drop and the lock count; a piece that has rested long enough locks.
void StepFall(PlayState& play, int32_t directions, bool paused, PieceRandom& random);

// The next piece at the top: column 4, row 0, orientation 0.
void SpawnPiece(PlayState& play);
