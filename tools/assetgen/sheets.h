// The picture sheets the game loads, one function per sheet, and the pieces of art they
// share. Every source rectangle the scenes draw from is filled here; see each file for the
// layout of its sheet.
#pragma once

#include "tools/assetgen/canvas.h"
#include "tools/assetgen/font_raster.h"

struct Fonts {
    FontFace mono;  // DejaVu Sans Mono Bold: the text font
    FontFace sans;  // DejaVu Sans Bold: the logo, menu and captions
};

void DrawTitleSheet(Canvas& canvas);               // sheet 0
void DrawLogoSheet(Canvas& canvas, Fonts& fonts);  // sheet 2
void DrawGameSheet(Canvas& canvas, Fonts& fonts);  // sheet 3
void DrawFrameSheet(Canvas& canvas);               // sheet 5
void DrawFontSheet(Canvas& canvas, Fonts& fonts);  // sheet 6

// The eight piece colours of the cell values 1..8, and the wall's steel (value 9).
Rgb CellColour(int value);

// A bevelled block of size x size pixels: a light top-left edge, a dark bottom-right edge
// and a glossy face. Used for the cell tiles, the curtain band, the logo and backgrounds.
void DrawBlock(Canvas& canvas, int x, int y, int size, Rgb base);

// A small deterministic generator for placing decorations (never time-seeded).
class Lcg {
public:
    explicit Lcg(uint32_t seed) : state(seed) {}
    uint32_t Next() {
        state = state * 1664525u + 1013904223u;
        return state >> 8;
    }
    int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
    float Unit() { return static_cast<float>(Next() & 0xFFFF) / 65535.0f; }

private:
    uint32_t state;
};
