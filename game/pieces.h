// The eight piece kinds, their shapes in four orientations, and the queue of coming pieces
// with the generator each play frame draws them from.
#pragma once

#include <cstdint>

struct PlayState;

using PieceKind = int32_t;    // 0..7; a locked block of kind k is stored as cell value k + 1
using Orientation = int32_t;  // 0..3; r + 1 is the clockwise turn of r

inline constexpr int32_t kPieceKinds = 8;
inline constexpr int32_t kOrientations = 4;
inline constexpr int32_t kBoxCells = 16;  // a 4 x 4 box, index row x 4 + column
inline constexpr PieceKind kSingleCell = 7;

// [kind][orientation][row x 4 + column]: 0 or the kind's cell value.
extern const int32_t (&ShapeTable)[kPieceKinds][kOrientations][kBoxCells];

// MT19937 with its standard single-seed initialisation, written out so that the sequence
// is the same with every compiler and library.
class PieceRandom {
public:
    explicit PieceRandom(uint32_t seed);

    // The next 32-bit output.
    [[nodiscard]] uint32_t Next();

    static constexpr int32_t kStateWords = 624;
    uint32_t state[kStateWords];
    int32_t index;
};

// The seed of this frame's generator: calendar seconds + window thread id + process id,
// modulo 2^32.
[[nodiscard]] uint32_t SeedFor();

// One uniform draw from 0..7: the top three bits of the next output, none rejected.
[[nodiscard]] PieceKind DrawKind(PieceRandom& random);

// Entries 0..7 from eight successive draws (entry 0 first); the queue is then ready.
void FillQueue(PlayState& play, PieceRandom& random);

// Entries 1..7 move down to 0..6; entry 7 takes one new draw.
void AdvanceQueue(PlayState& play, PieceRandom& random);
