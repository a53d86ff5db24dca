// PlayState: the one record of the play logic (grid, queue, piece, counters, score, level).
// Statically allocated, it lives for the whole run; only the play frame changes it.
#pragma once

#include <cstdint>

inline constexpr int kGridColumns = 12;
inline constexpr int kGridRows = 30;
inline constexpr int kGridCells = kGridColumns * kGridRows;
inline constexpr int kQueueLength = 8;
inline constexpr int32_t kSpawnX = 96;
inline constexpr int32_t kRepeatReady = 24;

struct PlayState {
    int32_t grid[kGridCells];  // row-major, row 0 at the top: 0 empty, 1..8 blocks, 9 wall
    int32_t queue[kQueueLength];
    int32_t queueReady;
    int32_t pieceX;  // pixels, a multiple of 24
    int32_t pieceY;
    int32_t orientation;
    int32_t boxColumns[16];
    int32_t boxRows[16];
    int32_t repeatCounter;
    int32_t fastRepeat;
    int32_t rotateCwLatch;
    int32_t rotateCcwLatch;
    int32_t blockedLeft;
    int32_t blockedRight;
    int32_t landed;
    int32_t fallCounter;
    int32_t softDropCounter;
    int32_t lockCounter;
    int32_t consecutiveLocks;
    int32_t gameOverCounter;
    int32_t score;
    int32_t levelIndex;
    int32_t linesTowardLevel;
};

// The play state of the run: all zero except pieceX 96 and repeatCounter 24 at start.
extern PlayState thePlayState;
