// Sheet 5, the boxes: ten panel frames (column c at x 16c, the COLOR setting) and the
// cursor box (column 10, x 160). Each column holds its centre, a flat 16 x 16 fill at the
// top, and below it a 16 x 16 frame whose 4 x 4 corners and edges the game stretches
// around a box of any size: rows 4..11 and columns 4..11 of the frame repeat, so an edge
// piece looks the same however far it is stretched.
#include "tools/assetgen/sheets.h"

namespace {

struct BoxColours {
    Rgb fill;    // the centre, drawn half mixed with what lies below
    Rgb border;  // the frame's main colour
};

// The ten panel colours, then the cursor box.
const BoxColours kBoxes[11] = {
    {Hex(0x060E34), Hex(0x5C8CFF)},  // 0 blue
    {Hex(0x30060C), Hex(0xFF5C6C)},  // 1 red
    {Hex(0x04260E), Hex(0x5CE07C)},  // 2 green
    {Hex(0x1E0832), Hex(0xB47CFF)},  // 3 purple
    {Hex(0x301806), Hex(0xFFA648)},  // 4 orange
    {Hex(0x04282A), Hex(0x48DCE0)},  // 5 teal
    {Hex(0x300622), Hex(0xFF70C8)},  // 6 pink
    {Hex(0x121419), Hex(0xB4BCCC)},  // 7 grey
    {Hex(0x282004), Hex(0xF0D048)},  // 8 gold
    {Hex(0x020208), Hex(0x7C88A0)},  // 9 black
    {Hex(0x3C8CE8), Hex(0xFFFFFF)},  // the cursor: a bright blue bar with a white rim
};

// The frame's colour at distance d (0 = outermost) from its nearest edge.
Rgb RimColour(const BoxColours& box, int d) {
    switch (d) {
        case 0:
            return Scale(box.border, 0.35f);
        case 1:
            return Mix(box.border, Hex(0xFFFFFF), 0.45f);
        case 2:
            return box.border;
        default:
            return Scale(box.border, 0.55f);
    }
}

void DrawFrame(Canvas& canvas, int x, int y, const BoxColours& box) {
    for (int j = 0; j < 16; ++j) {
        for (int i = 0; i < 16; ++i) {
            int dx = i < 8 ? i : 15 - i;
            int dy = j < 8 ? j : 15 - j;
            if (dx > 3 && dy > 3)
                continue;  // the inside is never drawn
            // Rounded corners: the outermost corner pixel is left out, the next one darkened.
            if (dx + dy == 0)
                continue;
            int d = dx < dy ? dx : dy;
            if (dx + dy == 1)
                d = 0;
            canvas.Set(x + i, y + j, RimColour(box, d));
        }
    }
}

}  // namespace

void DrawFrameSheet(Canvas& canvas) {
    for (int c = 0; c < 11; ++c) {
        canvas.FillRect(16 * c, 0, 16, 16, kBoxes[c].fill);
        DrawFrame(canvas, 16 * c, 16, kBoxes[c]);
    }
}
