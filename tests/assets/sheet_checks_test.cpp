// The picture sheets: format, transparency where the game relies on it, and a picture in
// every source rectangle that a scene draws from.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "tests/assets/data_folder_files.h"

namespace {

const Sheet& SheetAt(int n) {
    static Sheet sheets[8];
    static bool read[8] = {};
    if (!read[n]) {
        char name[32];
        std::snprintf(name, sizeof name, "grp/grp_%04d.png", n);
        sheets[n] = ReadSheet(DataFolder() + name);
        read[n] = true;
    }
    return sheets[n];
}

struct Source {
    int sheet, x, y, w, h;
    const char* what;
};

// Every rectangle the title, game, settings and ranking scenes draw from (glyphs aside).
const Source kDrawnSources[] = {
    {0, 0, 0, 512, 256, "title background"},   {2, 0, 0, 160, 40, "logo, first piece"},
    {2, 0, 48, 136, 40, "logo, second piece"}, {2, 160, 0, 96, 32, "menu START"},
    {2, 160, 32, 96, 32, "menu RANKING"},      {2, 160, 64, 96, 32, "menu SETTINGS"},
    {2, 0, 256, 512, 256, "loading picture"},  {2, 256, 0, 256, 44, "NOW LOADING"},
    {2, 255, 43, 181, 43, "GAME OVER"},        {3, 0, 0, 512, 256, "game background"},
    {3, 0, 248, 416, 8, "curtain band"},
};

TEST(Sheets, AreAll512SquarePalettePictures) {
    for (int n = 0; n < 8; ++n) {
        const Sheet& s = SheetAt(n);
        ASSERT_TRUE(s.ok) << "sheet " << n;
        EXPECT_EQ(s.width, 512) << "sheet " << n;
        EXPECT_EQ(s.height, 512) << "sheet " << n;
        EXPECT_EQ(s.bitDepth, 8) << "sheet " << n;
    }
    for (int n : {1, 4, 7}) EXPECT_EQ(SheetAt(n).OpaqueIn(0, 0, 512, 512), 0) << "sheet " << n;
}

TEST(Sheets, EveryDrawnSourceHoldsAPicture) {
    for (const Source& s : kDrawnSources) {
        int area = s.w * s.h;
        // Backgrounds are solid; the pieces of lettering at least one tenth drawn.
        int wanted = area >= 512 * 256 ? area : area / 10;
        EXPECT_GE(SheetAt(s.sheet).OpaqueIn(s.x, s.y, s.w, s.h), wanted) << s.what;
    }
    // The box pieces of the ten panel colours and the cursor box.
    for (int c = 0; c <= 10; ++c) {
        const Sheet& s = SheetAt(5);
        EXPECT_EQ(s.OpaqueIn(16 * c, 0, 16, 16), 256) << "box centre " << c;
        for (int px : {0, 4, 12})
            for (int py : {16, 20, 28}) {
                if (px == 4 && py == 20)
                    continue;  // the inside is not a piece
                EXPECT_GT(s.OpaqueIn(16 * c + px, py, 4, 4), 0)
                    << "box " << c << " piece " << px << "," << py;
            }
    }
}

TEST(Sheets, CellTilesAreTransparentSolidAndDistinct) {
    const Sheet& s = SheetAt(3);
    EXPECT_EQ(s.OpaqueIn(192, 256, 8, 8), 0) << "tile 0 must let the background through";
    double mean[10][3] = {};
    for (int v = 1; v <= 9; ++v) {
        EXPECT_EQ(s.OpaqueIn(192 + 8 * v, 256, 8, 8), 64) << "tile " << v;
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x) {
                uint32_t c = s.palette[s.At(192 + 8 * v + x, 256 + y)];
                for (int k = 0; k < 3; ++k) mean[v][k] += ((c >> (16 - 8 * k)) & 0xFF) / 64.0;
            }
    }
    for (int a = 1; a <= 9; ++a)
        for (int b = a + 1; b <= 9; ++b) {
            double d = 0;
            for (int k = 0; k < 3; ++k) d += (mean[a][k] - mean[b][k]) * (mean[a][k] - mean[b][k]);
            EXPECT_GT(std::sqrt(d), 50.0) << "tiles " << a << " and " << b << " look alike";
        }
}

TEST(Sheets, FontCellsKeepToTheirAdvance) {
    const Sheet& s = SheetAt(6);
    EXPECT_EQ(s.OpaqueIn(0, 0, 16, 32), 0) << "glyph 0 is drawn for empty text cells";
    EXPECT_EQ(s.OpaqueIn(0, 32, 16, 32), 0) << "the space";
    for (int c = 33; c < 127; ++c) {
        int x = (c % 16) * 16, y = (c / 16) * 32;
        EXPECT_GT(s.OpaqueIn(x, y, 16, 32), 0) << "glyph " << c;
        // Drawn twice as large, glyphs advance by 16 pixels: ink only in the left 8 columns.
        EXPECT_EQ(s.OpaqueIn(x + 8, y, 8, 32), 0) << "glyph " << c << " reaches into the next";
        EXPECT_EQ(s.OpaqueIn(x, y + 24, 16, 8), 0) << "glyph " << c << " reaches too low";
    }
}

TEST(Sheets, PiecesThatMeetOnScreenJoin) {
    // The title background repeats every 240 rows (720 screen pixels).
    const Sheet& title = SheetAt(0);
    int differing = 0;
    for (int y = 240; y < 256; ++y)
        for (int x = 0; x < 512; ++x) differing += title.At(x, y) != title.At(x, y - 240);
    EXPECT_EQ(differing, 0) << "rows 240..255 must repeat rows 0..15";
    // The second logo piece covers the first from its column 66 on: where they overlap
    // they are the same picture.
    const Sheet& logo = SheetAt(2);
    differing = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 66; x < 160; ++x)
            differing += logo.palette[logo.At(x, y)] != logo.palette[logo.At(x - 66, 48 + y)] ||
                         (logo.At(x, y) == 0) != (logo.At(x - 66, 48 + y) == 0);
    EXPECT_EQ(differing, 0);
    // Row 43 and column 255 are shared by neighbouring rectangles: left blank.
    EXPECT_EQ(logo.OpaqueIn(255, 43, 181, 1), 0);
    EXPECT_EQ(logo.OpaqueIn(255, 43, 1, 43), 0);
}

}  // namespace
