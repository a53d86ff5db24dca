// Sheet 0, the title background: 512 x 256, drawn three times larger and scrolled down
// the screen, one copy above the other 720 pixels apart. So the picture repeats every 240
// rows: rows 240..255 are rows 0..15 again and everything drawn wraps round from the
// bottom to the top. A night-blue well of faint cells with dim pieces drifting in it; the
// middle, behind the logo and the menu, is kept quiet.
#include <cmath>

#include "tools/assetgen/sheets.h"

namespace {

constexpr int kPeriod = 240;
constexpr int kVisibleWidth = 422;  // source columns that reach the screen

// Orientation-0 shapes of the seven four-cell pieces, as (column, row) cells.
const int kPieceCells[7][4][2] = {
    {{0, 0}, {1, 0}, {1, 1}, {2, 1}}, {{1, 0}, {2, 0}, {0, 1}, {1, 1}},
    {{1, 0}, {0, 1}, {1, 1}, {2, 1}}, {{2, 0}, {0, 1}, {1, 1}, {2, 1}},
    {{0, 0}, {0, 1}, {1, 1}, {2, 1}}, {{0, 0}, {1, 0}, {0, 1}, {1, 1}},
    {{0, 0}, {0, 1}, {0, 2}, {0, 3}},
};

Rgb Backdrop(int x) {
    // Brighter towards the middle of the visible part, dark at its sides.
    float t = (static_cast<float>(x) - kVisibleWidth / 2.0f) / (kVisibleWidth / 2.0f);
    float bell = std::exp(-2.2f * t * t);
    return Mix(Hex(0x05071A), Hex(0x16204C), bell);
}

void DrawBackdrop(Canvas& canvas) {
    for (int y = 0; y < kPeriod; ++y) {
        for (int x = 0; x < kSheetSize; ++x) {
            Rgb c = Backdrop(x);
            // The well's cell lines: every 8 pixels, a hint lighter.
            if (x % 8 == 0 || y % 8 == 0)
                c = Mix(c, Hex(0x3A4C8C), 0.18f);
            canvas.Set(x, y, c);
        }
    }
}

// One dim block, wrapped vertically into the period and mixed into the backdrop.
void DimBlock(Canvas& canvas, int x, int y, Rgb colour, float strength) {
    Canvas block;
    DrawBlock(block, 0, 0, 8, colour);
    for (int j = 0; j < 8; ++j) {
        for (int i = 0; i < 8; ++i) {
            int py = ((y + j) % kPeriod + kPeriod) % kPeriod;
            canvas.Blend(x + i, py, block.At(i, j), strength);
        }
    }
}

void DrawDriftingPieces(Canvas& canvas) {
    Lcg random(20240611u);
    // Columns of the grid away from the middle band (source x 136..296) of logo and menu.
    for (int n = 0; n < 22; ++n) {
        int kind = random.Below(7);
        bool left = n % 2 == 0;
        int column = left ? random.Below(14) : 38 + random.Below(13);
        int row = random.Below(kPeriod / 8);
        // Pieces further out are brighter; nearer the middle they fade into the dark.
        float strength = 0.22f + 0.18f * random.Unit();
        Rgb colour = CellColour(1 + kind);
        for (const auto& cell : kPieceCells[kind])
            DimBlock(canvas, 8 * (column + cell[0]), 8 * (row + cell[1]), colour, strength);
    }
}

}  // namespace

void DrawTitleSheet(Canvas& canvas) {
    DrawBackdrop(canvas);
    DrawDriftingPieces(canvas);
    for (int y = kPeriod; y < 256; ++y)
        for (int x = 0; x < kSheetSize; ++x) canvas.Set(x, y, canvas.At(x, y - kPeriod));
}
