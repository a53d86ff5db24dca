// The shape table, the piece generator and the queue.
#include "game/pieces.h"

#include "game/game.h"
#include "game/play_state.h"
#include "platform/clock.h"

namespace {

// Each orientation as its four rows top to bottom, '.' empty, a digit the cell value; the
// four orientations 0..3 side by side.
// clang-format off
constexpr const char* kShapeRows[kPieceKinds][kOrientations] = {
    // 0, 1: the skew pieces
    {"...." "11.." ".11." "....", ".1.." "11.." "1..." "....",
     "...." "11.." ".11." "....", ".1.." "11.." "1..." "...."},
    {"...." ".22." "22.." "....", "2..." "22.." ".2.." "....",
     "...." ".22." "22.." "....", "2..." "22.." ".2.." "...."},
    // 2: the T
    {"...." ".3.." "333." "....", "...." ".3.." ".33." ".3..",
     "...." "...." "333." ".3..", "...." ".3.." "33.." ".3.."},
    // 3, 4: the L-shaped pieces
    {"...." "..4." "444." "....", "...." ".4.." ".4.." ".44.",
     "...." "...." "444." "4...", "...." "44.." ".4.." ".4.."},
    {"...." "5..." "555." "....", "...." ".55." ".5.." ".5..",
     "...." "...." "555." "..5.", "...." ".5.." ".5.." "55.."},
    // 5: the square
    {"...." ".66." ".66." "....", "...." ".66." ".66." "....",
     "...." ".66." ".66." "....", "...." ".66." ".66." "...."},
    // 6: the bar
    {".7.." ".7.." ".7.." ".7..", "...." "...." "7777" "....",
     ".7.." ".7.." ".7.." ".7..", "...." "...." "7777" "...."},
    // 7: the single cell
    {"...." "...." ".8.." "....", "...." "...." ".8.." "....",
     "...." "...." ".8.." "....", "...." "...." ".8.." "...."},
};
// clang-format on

struct Shapes {
    int32_t cells[kPieceKinds][kOrientations][kBoxCells];
};

constexpr Shapes BuildShapes() {
    Shapes s{};
    for (int k = 0; k < kPieceKinds; ++k) {
        for (int r = 0; r < kOrientations; ++r) {
            for (int i = 0; i < kBoxCells; ++i) {
                const char c = kShapeRows[k][r][i];
                s.cells[k][r][i] = c == '.' ? 0 : c - '0';
            }
        }
    }
    return s;
}

constexpr Shapes kShapes = BuildShapes();

constexpr uint32_t kUpperMask = 0x80000000u;
constexpr uint32_t kLowerMask = 0x7FFFFFFFu;
constexpr uint32_t kMatrixA = 0x9908B0DFu;
constexpr int32_t kShift = 397;

void Twist(PieceRandom& r) {
    constexpr int32_t n = PieceRandom::kStateWords;
    for (int32_t i = 0; i < n; ++i) {
        const uint32_t x = (r.state[i] & kUpperMask) | (r.state[(i + 1) % n] & kLowerMask);
        uint32_t xA = x >> 1;
        if ((x & 1u) != 0)
            xA ^= kMatrixA;
        r.state[i] = r.state[(i + kShift) % n] ^ xA;
    }
    r.index = 0;
}

}  // namespace

const int32_t (&ShapeTable)[kPieceKinds][kOrientations][kBoxCells] = kShapes.cells;

PieceRandom::PieceRandom(uint32_t seed) {
    state[0] = seed;
    for (int32_t i = 1; i < kStateWords; ++i) {
        const uint32_t previous = state[i - 1];
        state[i] = 1812433253u * (previous ^ (previous >> 30)) + static_cast<uint32_t>(i);
    }
    index = kStateWords;
}

uint32_t PieceRandom::Next() {
    if (index >= kStateWords)
        Twist(*this);
    uint32_t y = state[index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    return y;
}

uint32_t SeedFor() {
    const uint32_t seconds = static_cast<uint32_t>(CalendarSeconds());
    return seconds + theWindowThreadId + theWindowProcessId;
}

PieceKind DrawKind(PieceRandom& random) {
    const uint64_t scaled = static_cast<uint64_t>(random.Next()) * kPieceKinds;
    return static_cast<PieceKind>(scaled >> 32);
}

void FillQueue(PlayState& play, PieceRandom& random) {
    for (int32_t& entry : play.queue) entry = DrawKind(random);
    play.queueReady = 1;
}

void AdvanceQueue(PlayState& play, PieceRandom& random) {
    for (int32_t k = 0; k + 1 < kQueueLength; ++k) play.queue[k] = play.queue[k + 1];
    play.queue[kQueueLength - 1] = DrawKind(random);
}
