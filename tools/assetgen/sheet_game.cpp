#include "tools/assetgen/sheets.h"
void DrawGameSheet(Canvas& canvas, Fonts& fonts) {
    canvas.FillRect(0, 0, 512, 256, Hex(0x101830));
    for (int v = 1; v <= 9; ++v) DrawBlock(canvas, 192 + 8 * v, 256, 8, CellColour(v));
}
