// The game scene's draws: background, previews, falling piece, texts, well and curtain.
#include <cstdio>
#include <cstring>

#include "tools/preview/scene_layouts.h"

namespace {

// Orientation 0 of the eight pieces in their 4 x 4 boxes, as the previews show them.
const char* kShapes[8] = {
    "....11...11.....", ".....22.22......", ".....3..333.....", "......4.444.....",
    ".....5..555.....", ".....66..66.....", ".7...7...7...7..", ".........8......",
};

void Tile(SpriteList& out, int v, int x, int y) {
    out.push_back({3, 192 + 8 * v, 256, 8, 8, x, y, 24, 24});
}

void Glyphs(SpriteList& out, const char* text, int cells, int x, int y) {
    for (int k = cells - 1; k >= 0; --k) {
        int c = k < static_cast<int>(std::strlen(text)) ? static_cast<unsigned char>(text[k]) : 0;
        out.push_back({6, (c % 16) * 16, (c / 16) * 32, 16, 32, x + 16 * k, y, 32, 64});
    }
}

// A well with a few rows stacked up, walls and floor, in the game's 12 x 30 layout.
void FillGrid(int (&grid)[360]) {
    const char* rows[8] = {
        "..........", "......5...", ".....55..7", "1..33.4..7",
        "11.3344447", "6611..2227", "6622.88.17", "2262441117",
    };
    for (int i = 0; i < 360; ++i) {
        int r = i / 12, c = i % 12;
        grid[i] = (c == 0 || c == 11 || r >= 28) ? 9 : 0;
        if (r >= 20 && r < 28 && c >= 1 && c <= 10) {
            char ch = rows[r - 20][c - 1];
            grid[i] = ch == '.' ? 0 : ch - '0';
        }
    }
}

}  // namespace

SpriteList GameScene(const GameState& s) {
    SpriteList out;
    out.push_back({3, 0, 0, 512, 256, 16, 0, 1536, 768});
    const int queue[7] = {2, 6, 0, 3, 5, 1, 7};
    const int originX[7] = {0, 808, 952, 1096, 1096, 1096, 1096};
    const int originY[7] = {0, 24, 24, 24, 168, 312, 456};
    if (!s.paused) {
        for (int n = 15; n >= 0; --n) {
            for (int k = 1; k <= 6; ++k) {
                char ch = kShapes[queue[k]][n];
                Tile(out, ch == '.' ? 0 : ch - '0', originX[k] + 24 * (n % 4),
                     originY[k] + 24 * (n / 4));
            }
            char ch = kShapes[queue[0]][n];
            if (ch != '.')
                Tile(out, ch - '0', 496 + 96 + 24 * (n % 4), 240 + 24 * (n / 4));
        }
    }
    char text[32];
    std::snprintf(text, sizeof text, "%10d", s.score);
    Glyphs(out, text, 11, 310, 24);
    std::snprintf(text, sizeof text, "Level %2d", s.level);
    Glyphs(out, text, 10, 298, 120);
    if (s.paused)
        Glyphs(out, "P A U S E", 10, 568, 288);
    if (!s.paused) {
        int grid[360];
        FillGrid(grid);
        for (int i = 0; i < 360; ++i) Tile(out, grid[i], 496 + 24 * (i % 12), 24 * (i / 12));
        for (int b = 0; b < s.gameOverCounter; ++b)
            out.push_back({3, 0, 248, 416, 8, 16, 720 - 24 * b, 1280, 24});
        if (s.gameOverCounter > 32)
            out.push_back({2, 255, 43, 181, 43, 220, 240, 768, 132});
    }
    out.push_back({120, 32, 0, 16, 16, 0, 0, 1280, 720, 0x00FFFFFF});
    out.push_back({120, 32, 0, 16, 16, -256, -256, 1760, 256});
    out.push_back({120, 32, 0, 16, 16, -256, 720, 1760, 256});
    out.push_back({120, 32, 0, 16, 16, -240, -256, 256, 1232});
    out.push_back({120, 32, 0, 16, 16, 1264, -256, 256, 1232});
    return out;
}
