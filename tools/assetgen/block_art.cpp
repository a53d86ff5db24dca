// The shared pieces of art: the cell colours and the bevelled block.
#include "tools/assetgen/sheets.h"

Rgb CellColour(int value) {
    static const uint32_t kColours[10] = {
        0x000000,
        0xDC2430,  // 1 red
        0x44C450,  // 2 green
        0x8C48E8,  // 3 purple
        0xF5861C,  // 4 orange
        0x3C64E6,  // 5 blue
        0xF8DC3C,  // 6 yellow
        0x2CC8E0,  // 7 cyan
        0xF068C0,  // 8 pink: the single cell
        0x76808F,  // 9 steel: walls and floor
    };
    return Hex(kColours[value < 0 || value > 9 ? 0 : value]);
}

void DrawBlock(Canvas& canvas, int x, int y, int size, Rgb base) {
    const Rgb white = Hex(0xFFFFFF);
    // Small blocks get a gentler bevel, so that a row of them still reads as one surface.
    bool small = size < 6;
    Rgb light = Mix(base, white, small ? 0.32f : 0.55f);
    Rgb dark = Scale(base, small ? 0.62f : 0.42f);
    for (int j = 0; j < size; ++j) {
        for (int i = 0; i < size; ++i) {
            // The face: lighter towards the top left, as if lit from there.
            float t = static_cast<float>(i + j) / (2.0f * (size - 1));
            Rgb c = Mix(Mix(base, white, 0.18f), Scale(base, 0.82f), t);
            bool top = j == 0, left = i == 0, bottom = j == size - 1, right = i == size - 1;
            if ((top && right) || (bottom && left))
                c = Mix(light, dark, 0.5f);
            else if (top || left)
                c = light;
            else if (bottom || right)
                c = dark;
            else if (size >= 6 && i + j <= 3 && i <= 2 && j <= 2)
                c = Mix(base, white, 0.45f);
            canvas.Set(x + i, y + j, c);
        }
    }
}
