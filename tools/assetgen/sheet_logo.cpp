// Sheet 2, the title pictures:
//   (0, 0) 160 x 40 and (0, 48) 136 x 40: the logo in two pieces, drawn three times larger
//     at x 446 and x 644 with the second piece over the first. Both are cut from one
//     202 x 40 picture at columns 0 and 66 (= (644 - 446) / 3), so they join exactly;
//   (160, 32k) 96 x 32: the menu items START, RANKING, SETTINGS;
//   (256, 0) 256 x 44: the caption "NOW LOADING" (row 43 is shared with the next one);
//   (255, 43) 181 x 43: "GAME OVER", stretched to 768 x 132 (4.24 across, 3.07 down);
//   (0, 256) 512 x 256: the loading picture, drawn full screen.
#include <cmath>

#include "tools/assetgen/sheets.h"

namespace {

// The logo's letters as 5 x 7 cells (I is 3 wide), each cell a 4-pixel bevelled block.
struct BlockLetter {
    int width;
    const char* rows[7];
};
const BlockLetter kLogoLetters[9] = {
    {5, {"#####", "..#..", "..#..", "..#..", "..#..", "..#..", "..#.."}},  // T
    {5, {"#####", "#....", "#....", "####.", "#....", "#....", "#####"}},  // E
    {5, {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},  // S
    {5, {".####", "#....", "#....", ".###.", "....#", "....#", "####."}},  // S
    {5, {".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"}},  // A
    {5, {"####.", "#...#", "#...#", "####.", "#.#..", "#..#.", "#...#"}},  // R
    {5, {".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."}},  // O
    {3, {"###", ".#.", ".#.", ".#.", ".#.", ".#.", "###"}},                // I
    {5, {"####.", "#...#", "#...#", "#...#", "#...#", "#...#", "####."}},  // D
};
const int kLetterColour[9] = {1, 4, 6, 2, 7, 5, 3, 8, 1};

constexpr int kLogoW = 202;
constexpr int kLogoH = 40;
constexpr int kSecondPieceAt = 66;

void DrawLogoPicture(Canvas& logo) {
    Coverage shape(kLogoW, kLogoH);
    int x = 3;
    for (int n = 0; n < 9; ++n) {
        const BlockLetter& letter = kLogoLetters[n];
        for (int r = 0; r < 7; ++r) {
            for (int c = 0; c < letter.width; ++c) {
                if (letter.rows[r][c] != '#')
                    continue;
                int bx = x + 4 * c, by = 5 + 4 * r;
                DrawBlock(logo, bx, by, 4, CellColour(kLetterColour[n]));
                for (int j = 0; j < 4; ++j)
                    for (int i = 0; i < 4; ++i) shape.Add(bx + i, by + j, 1);
            }
        }
        x += 4 * letter.width + 3;
    }
    // A dark rim round the letters and a drop shadow below right, so the logo stands off
    // any background.
    Coverage rim = shape.Grown(1);
    for (int y = 0; y < kLogoH; ++y) {
        for (int i = 0; i < kLogoW; ++i) {
            if (shape.At(i, y) > 0)
                continue;
            if (rim.At(i, y) > 0)
                logo.Set(i, y, Hex(0x0A0A1E));
            else if (rim.At(i - 2, y - 2) > 0)
                logo.Set(i, y, Hex(0x04040C));
        }
    }
}

void DrawLogo(Canvas& canvas) {
    Canvas logo;
    DrawLogoPicture(logo);
    auto copy = [&](int fromX, int w, int toY) {
        for (int y = 0; y < kLogoH; ++y)
            for (int i = 0; i < w; ++i)
                if (logo.IsOpaque(fromX + i, y))
                    canvas.Set(i, toY + y, logo.At(fromX + i, y));
    };
    copy(0, 160, 0);
    copy(kSecondPieceAt, kLogoW - kSecondPieceAt, 48);
}

// Text centred in a box of boxW columns: the em (emW x emH) is narrowed until it fits.
Coverage FitText(FontFace& face, const std::string& text, int boxW, int boxH, int emW, int emH,
                 int baseline, float spacing) {
    face.SetPixelSize(emW, emH);
    while (emW > 4 && face.Measure(text, spacing) > boxW) face.SetPixelSize(--emW, emH);
    int x = static_cast<int>(std::lround((boxW - face.Measure(text, spacing)) / 2));
    return face.Render(text, boxW, boxH, x, baseline, spacing);
}

void DrawMenuItems(Canvas& canvas, Fonts& fonts) {
    const char* items[3] = {"START", "RANKING", "SETTINGS"};
    // The text keeps to rows 2..20: the cursor bar runs under it, and column 95 of the
    // lower items is shared with the game-over picture, so it stays clear.
    LetterStyle style = {Hex(0xFFFFFF), Hex(0xFFC850), Hex(0x140A20), 1, 1, 1, 4, 17};
    for (int k = 0; k < 3; ++k) {
        Coverage text = FitText(fonts.sans, items[k], 88, 32, 17, 17, 17, 1.0f);
        PaintLettering(canvas, text, 164, 32 * k, style);
    }
}

void DrawCaptions(Canvas& canvas, Fonts& fonts) {
    // "NOW LOADING" sits in the left 160 columns, so that it is centred on the screen
    // (the caption is drawn from x 400); three loading blocks follow it.
    LetterStyle caption = {Hex(0xFFFFFF), Hex(0x8CD8FF), Hex(0x0A1028), 1, 2, 2, 10, 30};
    Coverage text = FitText(fonts.sans, "NOW LOADING", 156, 43, 22, 22, 30, 1.0f);
    PaintLettering(canvas, text, 258, 0, caption);
    for (int n = 0; n < 3; ++n) DrawBlock(canvas, 424 + 12 * n, 22, 8, CellColour(7 - 2 * n));

    // "GAME OVER" is stretched more across than down (4.24 against 3.07), so it is drawn
    // with an em 0.72 times as wide as it is high to look right on the screen.
    LetterStyle over = {Hex(0xFFE070), Hex(0xE0301C), Hex(0x1A0404), 2, 2, 2, 12, 36};
    Coverage words = FitText(fonts.sans, "GAME OVER", 173, 42, 27, 38, 34, 1.0f);
    PaintLettering(canvas, words, 259, 44, over);
}

void DrawLoadingPicture(Canvas& canvas) {
    const int top = 256;
    Lcg random(777u);
    for (int y = 0; y < 256; ++y) {
        Rgb row = Mix(Hex(0x060A20), Hex(0x241040), static_cast<float>(y) / 255.0f);
        // A soft band of light where the caption sits (source rows 80..130).
        float band = std::exp(-std::pow((y - 104.0f) / 30.0f, 2.0f));
        row = Mix(row, Hex(0x2A3C7C), 0.55f * band);
        for (int x = 0; x < kSheetSize; ++x) {
            Rgb c = row;
            if (x % 8 == 0 || y % 8 == 0)
                c = Mix(c, Hex(0x4050A0), 0.14f);
            canvas.Set(x, top + y, c);
        }
    }
    // A stack of pieces at the foot of the screen, ragged at its top.
    for (int column = 0; column < 54; ++column) {
        int height = 1 + random.Below(3) + (column % 7 == 3 ? 1 : 0);
        for (int r = 0; r < height; ++r)
            DrawBlock(canvas, 8 * column, top + 232 - 8 * r, 8, CellColour(1 + random.Below(8)));
    }
}

}  // namespace

void DrawLogoSheet(Canvas& canvas, Fonts& fonts) {
    DrawLogo(canvas);
    DrawMenuItems(canvas, fonts);
    DrawCaptions(canvas, fonts);
    DrawLoadingPicture(canvas);
}
