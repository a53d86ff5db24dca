// How the falling piece moves: every rule here runs once per play frame.
#include "game/play_motion.h"

#include "game/play_rules.h"
#include "game/play_state.h"
#include "input/input.h"

namespace {

constexpr int32_t kFastStep = 8;

const int32_t* FallingShape(const PlayState& play, Orientation orientation) {
    return ShapeTable[play.queue[0]][orientation];
}

// Grid cell at a box cell's coordinates, moved by (dRow, dColumn).
int32_t BoxNeighbour(const PlayState& play, int32_t i, int32_t dRow, int32_t dColumn) {
    return GridCell(play, play.boxRows[i] + dRow, play.boxColumns[i] + dColumn);
}

// Steps the piece one column if that side is free; a step restarts the repeat count.
void TryStep(PlayState& play, int32_t blocked, int32_t dx) {
    if (blocked != 0)
        return;
    play.pieceX += dx;
    play.repeatCounter = 0;
}

// One turn by delta (+1 or -1) when the button is held and its latch is clear.
void TryTurn(PlayState& play, bool held, int32_t& latch, int32_t delta) {
    if (!held) {
        latch = 0;
        return;
    }
    if (latch != 0)
        return;
    const Orientation old = play.orientation;
    play.orientation = (old + delta + kOrientations) % kOrientations;
    if (ShapeCollides(play, play.orientation))
        play.orientation = old;  // no kicks
    latch = 1;
}

void FallFreely(PlayState& play, int32_t directions) {
    if ((directions & kDirectionDown) != 0) {
        play.fallCounter = 0;
        ++play.softDropCounter;
        if (play.softDropCounter % 3 == 0) {
            play.pieceY += kCellPixels;
            play.score += 1;
        }
    } else {
        play.softDropCounter = 0;
        ++play.fallCounter;
        if (play.fallCounter > (10 - play.levelIndex) * 6) {
            play.pieceY += kCellPixels;
            play.fallCounter = 0;
        }
    }
    play.lockCounter = 0;
    play.consecutiveLocks = 0;
}

}  // namespace

int32_t GridCell(const PlayState& play, int32_t row, int32_t column) {
    if (row < 0 || row >= kGridRows || column < 0 || column >= kGridColumns)
        return kWallCell;
    return play.grid[row * kGridColumns + column];
}

void SetUpGrid(PlayState& play) {
    for (int32_t& cell : play.grid) cell = 0;
    for (int32_t row = 0; row <= kFloorRow; ++row) {
        play.grid[row * kGridColumns] = kWallCell;
        play.grid[row * kGridColumns + kGridColumns - 1] = kWallCell;
    }
    for (int32_t column = 0; column < kGridColumns; ++column) {
        play.grid[kFloorRow * kGridColumns + column] = kWallCell;
    }
    // Row 29 stays empty: it lies below the floor and is only ever drawn.
}

void StepHorizontal(PlayState& play, int32_t directions, int32_t buttons) {
    const bool left = (directions & kDirectionLeft) != 0;
    const bool right = (directions & kDirectionRight) != 0;
    // Deliberate: the contact flags tested here are last frame's, taken before its fall, so
    // right after a one-row fall the piece may step into a locked block. Keep it.
    if (play.repeatCounter == kRepeatReady && (buttons & DECISION) == 0) {
        if (left) {
            TryStep(play, play.blockedLeft, -kCellPixels);
        } else if (right) {
            TryStep(play, play.blockedRight, kCellPixels);
        }
    }
    if (!left && !right) {
        play.repeatCounter = kRepeatReady;
        play.fastRepeat = 0;
    } else if (play.repeatCounter < kRepeatReady) {
        play.repeatCounter += play.fastRepeat == 1 ? kFastStep : 1;
        if (play.repeatCounter >= kRepeatReady) {
            play.repeatCounter = kRepeatReady;
            play.fastRepeat = 1;
        }
    }
}

void ComputeBoxCoordinates(PlayState& play) {
    const int32_t column0 = play.pieceX / kCellPixels;
    const int32_t row0 = play.pieceY / kCellPixels;
    for (int32_t i = 0; i < kBoxCells; ++i) {
        play.boxColumns[i] = column0 + i % 4;
        play.boxRows[i] = row0 + i / 4;
    }
}

bool ShapeCollides(const PlayState& play, Orientation orientation) {
    const int32_t* shape = FallingShape(play, orientation);
    for (int32_t i = 0; i < kBoxCells; ++i) {
        if (shape[i] != 0 && BoxNeighbour(play, i, 0, 0) != 0)
            return true;
    }
    return false;
}

void StepTurns(PlayState& play, int32_t buttons) {
    TryTurn(play, (buttons & DECISION) != 0, play.rotateCwLatch, +1);
    TryTurn(play, (buttons & CANCELLATION) != 0, play.rotateCcwLatch, -1);
}

void ComputeContactFlags(PlayState& play) {
    const int32_t* shape = FallingShape(play, play.orientation);
    play.blockedLeft = 0;
    play.blockedRight = 0;
    play.landed = 0;
    for (int32_t line = 0; line < 4; ++line) {
        int32_t leftmost = -1;
        int32_t rightmost = -1;
        for (int32_t column = 0; column < 4; ++column) {
            if (shape[line * 4 + column] == 0)
                continue;
            if (leftmost < 0)
                leftmost = column;
            rightmost = column;
        }
        if (leftmost < 0)
            continue;
        if (BoxNeighbour(play, line * 4 + leftmost, 0, -1) != 0)
            play.blockedLeft = 1;
        if (BoxNeighbour(play, line * 4 + rightmost, 0, +1) != 0)
            play.blockedRight = 1;
    }
    for (int32_t column = 0; column < 4; ++column) {
        int32_t lowest = -1;
        for (int32_t line = 0; line < 4; ++line) {
            if (shape[line * 4 + column] != 0)
                lowest = line;
        }
        if (lowest >= 0 && BoxNeighbour(play, lowest * 4 + column, +1, 0) != 0)
            play.landed = 1;
    }
}

void StepFall(PlayState& play, int32_t directions, bool paused, PieceRandom& random) {
    if (!paused && play.lockCounter == 0 && play.landed == 0) {
        FallFreely(play, directions);
        return;
    }
    if (play.landed == 0) {
        // Moved off its support: it falls again from the next frame.
        play.lockCounter = 0;
        play.consecutiveLocks = 0;
        return;
    }
    // At rest (paused or not): the count runs until the piece locks.
    if (play.gameOverCounter == 0) {
        ++play.lockCounter;
        if (play.lockCounter > kLockFrames)
            LockPiece(play, random);
    }
}

void SpawnPiece(PlayState& play) {
    play.pieceX = kSpawnX;
    play.pieceY = 0;
    play.orientation = 0;
    play.lockCounter = 0;
    play.landed = 0;
}
