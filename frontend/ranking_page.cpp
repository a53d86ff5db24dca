// The ranking page: the heading and the ten best scores with the local date and time each
// was made, in double-size glyphs. Every one of a line's 100 cells is drawn, the empty ones
// as the font sheet's first cell, last cell first.
#include <cstdio>
#include <cstring>

#include "frontend/title_icdx.h"
#include "game/map_scene_entity.h"

namespace {

constexpr int32_t kLineCells = 100;
constexpr int32_t kShownRanks = 10;

// Sums as the game's 32-bit arithmetic gives them, so a date read from a damaged file
// still prints (wrapped) instead of overflowing.
int32_t Plus(int32_t value, int32_t offset) {
    return static_cast<int32_t>(static_cast<uint32_t>(value) + static_cast<uint32_t>(offset));
}

void DrawLine(const char (&cells)[kLineCells], int32_t x0, int32_t y) {
    for (int32_t k = kLineCells - 1; k >= 0; --k) {
        SubmitGlyph(static_cast<unsigned char>(cells[k]), x0 + 16 * k, y, 32, 64);
    }
}

}  // namespace

void CTitleIcDX::DrawRanking() {
    char cells[kLineCells] = {};
    std::memcpy(cells, "RANKING", 7);
    DrawLine(cells, 592, 24);
    for (int32_t r = 0; r < kShownRanks; ++r) {
        const CalendarTime& d = scene->rankingDates[r];
        std::memset(cells, 0, sizeof cells);
        std::snprintf(cells, sizeof cells, "%2d %4d/%2d/%2d %2d:%2d:%2d %10d", r + 1,
                      Plus(d.year, 1900), Plus(d.month, 1), d.day, d.hour, d.minute, d.second,
                      scene->rankingScores[r]);
        DrawLine(cells, 376, 72 + 56 * r);
    }
}
