// Locking, the end-of-game count, row clearing, levels and the row score.
#include "game/play_rules.h"

#include "audio/audio.h"
#include "game/play_motion.h"
#include "game/play_state.h"

namespace {

constexpr int32_t kFourCellLockScore = 20;
constexpr int32_t kSingleCellLockScore = 200;
constexpr int32_t kBlockedAfterLocks = 3;
constexpr int32_t kPlayRows = 28;  // rows 0..27; the floor row never counts

struct RowScore {
    int32_t base;
    int32_t effect;
};

// Indexed by the rows cleared in one frame, 1..4.
constexpr RowScore kRowScores[5] = {
    {0, 0}, {200, kClearEffect}, {400, kClearEffect}, {800, kClearEffect}, {1600, kFourRowsEffect},
};

bool RowIsFull(const PlayState& play, int32_t row) {
    for (int32_t column = 1; column <= 10; ++column) {
        if (play.grid[row * kGridColumns + column] == 0)
            return false;
    }
    return true;
}

// Rows row..1 take the inner cells of the row above; row 0 keeps its own (so it shows
// twice). A full row 0 is simply emptied.
void RemoveRow(PlayState& play, int32_t row) {
    if (row == 0) {
        for (int32_t column = 1; column <= 10; ++column) play.grid[column] = 0;
        return;
    }
    for (int32_t r = row; r >= 1; --r) {
        for (int32_t column = 1; column <= 10; ++column) {
            play.grid[r * kGridColumns + column] = play.grid[(r - 1) * kGridColumns + column];
        }
    }
}

}  // namespace

void LockPiece(PlayState& play, PieceRandom& random) {
    const int32_t* shape = ShapeTable[play.queue[0]][play.orientation];
    for (int32_t i = 0; i < kBoxCells; ++i) {
        const int32_t row = play.boxRows[i];
        const int32_t column = play.boxColumns[i];
        // A cell already taken keeps its block; cells outside the grid are never written.
        if (GridCell(play, row, column) == 0)
            play.grid[row * kGridColumns + column] = shape[i];
    }
    play.score += play.queue[0] == kSingleCell ? kSingleCellLockScore : kFourCellLockScore;
    AdvanceQueue(play, random);
    SpawnPiece(play);
    ++play.consecutiveLocks;
}

void CountBlockedFrame(PlayState& play) {
    if (play.landed == 1 && play.consecutiveLocks > kBlockedAfterLocks)
        ++play.gameOverCounter;
}

int32_t ClearFullRows(PlayState& play) {
    int32_t cleared = 0;
    for (int32_t row = 0; row < kPlayRows; ++row) {
        if (!RowIsFull(play, row))
            continue;
        RemoveRow(play, row);
        ++cleared;
        ++play.linesTowardLevel;
    }
    return cleared;
}

void StepLevel(PlayState& play) {
    if (play.linesTowardLevel < kLinesPerLevel)
        return;
    if (play.levelIndex < kTopLevelIndex)
        ++play.levelIndex;
    play.linesTowardLevel = 0;  // rows past twenty in the same frame are not carried over
}

void AddRowScore(PlayState& play, int32_t rows, CXa2& audio) {
    // One piece spans at most four rows, so no frame clears more.
    if (rows < 1 || rows > 4)
        return;
    play.score += kRowScores[rows].base * (play.levelIndex + 1);
    audio.PlayEffect(kRowScores[rows].effect);
}
