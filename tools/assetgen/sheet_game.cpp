// Sheet 3, the game:
//   (0, 0) 512 x 256: the background, drawn 1536 x 768 at x 16, so source (x, y) lands on
//     the screen at (16 + 3x, 3y) and only columns 0..421 and rows 0..239 are seen. It is
//     laid out round the scene: the well (source x 160..255), the six preview boxes, the
//     score and level texts. Where the game draws text or cells it stays dark and calm;
//   (0, 248) 416 x 8: its bottom strip, below the screen's edge, doubles as the game-over
//     curtain band (drawn 1280 x 24): a row of slate blocks;
//   (192 + 8v, 256) 8 x 8: the cell tiles: 0 transparent, 1..8 the pieces, 9 the wall.
#include <cmath>

#include "tools/assetgen/sheets.h"

namespace {

struct Rect {
    int x, y, w, h;
};

// Screen boxes in source pixels: ((screen x - 16) / 3, screen y / 3).
const Rect kPreviewBoxes[6] = {
    {264, 8, 32, 32},  {312, 8, 32, 32},   {360, 8, 32, 32},
    {360, 56, 32, 32}, {360, 104, 32, 32}, {360, 152, 32, 32},
};
const Rect kWellInside = {168, 0, 80, 224};
const Rect kScorePanel = {26, 5, 128, 23};
const Rect kLevelPanel = {88, 37, 66, 23};

const Rgb kPanelFill = Hex(0x070914);
const Rgb kCellLine = Hex(0x121931);

void DrawBackdrop(Canvas& canvas) {
    for (int y = 0; y < 256; ++y) {
        Rgb row = Mix(Hex(0x0C1434), Hex(0x1C0E36), static_cast<float>(y) / 255.0f);
        for (int x = 0; x < kSheetSize; ++x) {
            Rgb c = row;
            if (x % 8 == 0 || y % 8 == 0)
                c = Mix(c, Hex(0x3C4C90), 0.12f);
            canvas.Set(x, y, c);
        }
    }
}

// A dark recessed panel: a dark rim, a light rim (gold for the next piece), the inside.
void DrawPanel(Canvas& canvas, Rect r, Rgb rim, bool cellLines) {
    canvas.FillRect(r.x - 3, r.y - 3, r.w + 6, r.h + 6, Hex(0x02030A));
    canvas.FrameRect(r.x - 2, r.y - 2, r.w + 4, r.h + 4, rim);
    canvas.FrameRect(r.x - 1, r.y - 1, r.w + 2, r.h + 2, Scale(rim, 0.45f));
    for (int y = r.y; y < r.y + r.h; ++y) {
        for (int x = r.x; x < r.x + r.w; ++x) {
            bool line = cellLines && ((x - r.x) % 8 == 0 || (y - r.y) % 8 == 0);
            canvas.Set(x, y, line ? kCellLine : kPanelFill);
        }
    }
}

void DrawWell(Canvas& canvas) {
    // A soft glow outside the walls (which the cell tiles draw at x 160..167 and 248..255).
    for (int d = 1; d <= 6; ++d) {
        float a = 0.5f * (1.0f - (d - 1) / 6.0f);
        for (int y = 0; y < 240; ++y) {
            canvas.Blend(160 - d, y, Hex(0x4878FF), a);
            canvas.Blend(255 + d, y, Hex(0x4878FF), a);
        }
    }
    const Rect& w = kWellInside;
    for (int y = w.y; y < w.y + w.h; ++y) {
        // Darker at the top, where new pieces come in.
        Rgb fill = Mix(Hex(0x04050C), Hex(0x0A0C1C), static_cast<float>(y) / w.h);
        for (int x = w.x; x < w.x + w.w; ++x) {
            bool line = (x - w.x) % 8 == 0 || (y - w.y) % 8 == 0;
            canvas.Set(x, y, line ? Mix(fill, Hex(0x26305A), 0.6f) : fill);
        }
    }
}

void DrawLabel(Canvas& canvas, Fonts& fonts, const char* text, int x, int y) {
    fonts.sans.SetPixelSize(8, 9);
    Coverage ink = fonts.sans.Render(text, 60, 14, 0, 10, 1.0f);
    LetterStyle style = {Hex(0x9CB4F0), Hex(0x6C84C8), Hex(0x02030A), 0, 1, 1, 2, 10, 0.45f};
    PaintLettering(canvas, ink, x, y, style);
}

// A few dim pieces lying at the foot of the side areas, far from text and cells.
void DrawRestingPieces(Canvas& canvas) {
    const int cells[][3] = {
        {1, 28, 1},  {2, 28, 1},  {1, 27, 1},  {3, 28, 4},  {4, 28, 4},  {5, 28, 4},  {5, 27, 4},
        {7, 28, 7},  {7, 27, 7},  {7, 26, 7},  {7, 25, 7},  {9, 28, 6},  {10, 28, 6}, {9, 27, 6},
        {10, 27, 6}, {11, 28, 3}, {12, 28, 3}, {13, 28, 3}, {12, 27, 3}, {35, 28, 2}, {36, 28, 2},
        {36, 27, 2}, {37, 27, 2}, {38, 28, 5}, {39, 28, 5}, {40, 28, 5}, {38, 27, 5}, {42, 28, 8},
        {41, 28, 1}, {41, 27, 1}, {42, 27, 1},
    };
    for (const auto& c : cells) {
        Canvas block;
        DrawBlock(block, 0, 0, 8, CellColour(c[2]));
        for (int j = 0; j < 8; ++j)
            for (int i = 0; i < 8; ++i)
                canvas.Blend(8 * c[0] + i, 8 * (c[1] + 1) + j, block.At(i, j), 0.26f);
    }
}

void DrawBackground(Canvas& canvas, Fonts& fonts) {
    DrawBackdrop(canvas);
    DrawRestingPieces(canvas);
    DrawWell(canvas);
    for (int k = 0; k < 6; ++k)
        DrawPanel(canvas, kPreviewBoxes[k], k == 0 ? Hex(0xF0C840) : Hex(0x5C78C8), true);
    DrawPanel(canvas, kScorePanel, Hex(0x5C78C8), false);
    DrawPanel(canvas, kLevelPanel, Hex(0x5C78C8), false);
    DrawLabel(canvas, fonts, "SCORE", 31, 10);
    DrawLabel(canvas, fonts, "NEXT", 264, 43);
}

void DrawTiles(Canvas& canvas) {
    canvas.ClearRect(192, 256, 8, 8);  // tile 0: nothing, so the background shows
    for (int v = 1; v <= 8; ++v) DrawBlock(canvas, 192 + 8 * v, 256, 8, CellColour(v));
    // The wall: a steel block with a sunken middle, plainly not a piece.
    const int x = 192 + 8 * 9, y = 256;
    DrawBlock(canvas, x, y, 8, CellColour(9));
    canvas.FillRect(x + 2, y + 2, 4, 4, Scale(CellColour(9), 0.7f));
    canvas.FillRect(x + 2, y + 2, 4, 1, Scale(CellColour(9), 0.5f));
    canvas.FillRect(x + 2, y + 2, 1, 4, Scale(CellColour(9), 0.5f));
}

void DrawCurtainBand(Canvas& canvas) {
    for (int n = 0; n < 52; ++n) DrawBlock(canvas, 8 * n, 248, 8, Hex(0x5A6074));
}

}  // namespace

void DrawGameSheet(Canvas& canvas, Fonts& fonts) {
    DrawBackground(canvas, fonts);
    DrawCurtainBand(canvas);
    DrawTiles(canvas);
}
