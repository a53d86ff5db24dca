// Sheet 6, the font: a 16 x 16 grid of 16 x 32 cells, character code c at column c mod 16
// and row c div 16. The game draws each cell at 16 x 32 advancing 10 pixels (the settings
// page) or at 32 x 64 advancing 16 (score, level, ranking), so every glyph keeps its ink
// in the cell's left 8 columns and its top 24 rows; the rest of the cell stays transparent.
// Code 0 and the space are blank, since empty text cells draw them.
#include "tools/assetgen/sheets.h"

namespace {

constexpr int kCellW = 16;
constexpr int kCellH = 32;
constexpr int kInkColumns = 7;  // the face; the drop shadow takes the eighth column
constexpr int kBaseline = 17;

const LetterStyle kTextStyle = {
    Hex(0xFFFFFF), Hex(0xB8CCF0), Hex(0x0C1024), 0, 1, 1, 3, 17, 0.3f,
};

void DrawGlyph(Canvas& canvas, Fonts& fonts, int code) {
    std::string text(1, static_cast<char>(code));
    Coverage probe = fonts.mono.Render(text, kCellW, kCellH, 4, kBaseline);
    int x0, x1, y0, y1;
    if (!probe.InkBounds(&x0, &x1, &y0, &y1))
        return;
    // Centre the ink in the face columns; a glyph too wide for them keeps its left edge.
    int width = x1 - x0 + 1;
    int shift = width >= kInkColumns ? -x0 : (kInkColumns - width) / 2 - x0;
    Coverage ink = fonts.mono.Render(text, kCellW, kCellH, 4 + shift, kBaseline);
    // Nothing may reach past the eighth column, where the next character starts.
    for (int y = 0; y < kCellH; ++y)
        for (int x = kInkColumns; x < kCellW; ++x) ink.value[y * kCellW + x] = 0;
    PaintLettering(canvas, ink, (code % 16) * kCellW, (code / 16) * kCellH, kTextStyle);
}

}  // namespace

void DrawFontSheet(Canvas& canvas, Fonts& fonts) {
    // A narrow em (12 wide, 20 high) gives glyphs 7 pixels wide with 14-pixel capitals:
    // clear at 1x in the settings page and bold at 2x in the game.
    fonts.mono.SetPixelSize(11, 20);
    fonts.mono.SetEmbolden(0.45f, 0.3f);
    for (int code = 33; code < 127; ++code) DrawGlyph(canvas, fonts, code);
}
