// Draw lists of the scenes, with the positions, sizes and source rectangles the game uses.
#include "tools/preview/scene_layouts.h"

#include <cstdio>
#include <cstring>

namespace {

void Glyph(SpriteList& out, int c, int x, int y, int w, int h) {
    c &= 0xFF;
    out.push_back({6, (c % 16) * 16, (c / 16) * 32, 16, 32, x, y, w, h});
}

// Text drawn last cell first, as the game does; advance and size per scene.
void Text(SpriteList& out, const char* text, int cells, int x, int y, int advance, int w, int h) {
    for (int k = cells - 1; k >= 0; --k) {
        int c = k < static_cast<int>(std::strlen(text)) ? static_cast<unsigned char>(text[k]) : 0;
        Glyph(out, c, x + advance * k, y, w, h);
    }
}

void Overlays(SpriteList& out, int fadeAlpha) {
    out.push_back({120, 32, 0, 16, 16, 0, 0, 1280, 720,
                   (static_cast<uint32_t>(fadeAlpha) << 24) | 0xFFFFFFu});
    out.push_back({120, 32, 0, 16, 16, -256, -256, 1248 + 512, 256});
    out.push_back({120, 32, 0, 16, 16, -256, 720, 1248 + 512, 256});
    out.push_back({120, 32, 0, 16, 16, -240, -256, 256, 720 + 512});
    out.push_back({120, 32, 0, 16, 16, 1248 + 16, -256, 256, 720 + 512});
}

// The nine pieces of a box; column 10 of sheet 5 is the cursor box, 0..9 the panels.
void Box(SpriteList& out, int column, int x, int y, int w, int h, uint32_t centre, uint32_t rim) {
    int c = 16 * column;
    out.push_back({5, c, 0, 16, 16, x + 4, y + 4, w - 8, h - 8, centre});
    out.push_back({5, c, 16, 4, 4, x, y, 4, 4, rim});
    out.push_back({5, c + 12, 16, 4, 4, x + w - 4, y, 4, 4, rim});
    out.push_back({5, c, 28, 4, 4, x, y + h - 4, 4, 4, rim});
    out.push_back({5, c + 12, 28, 4, 4, x + w - 4, y + h - 4, 4, 4, rim});
    out.push_back({5, c + 4, 16, 4, 4, x + 4, y, w - 8, 4, rim});
    out.push_back({5, c, 20, 4, 4, x, y + 4, 4, h - 8, rim});
    out.push_back({5, c + 4, 28, 4, 4, x + 4, y + h - 4, w - 8, 4, rim});
    out.push_back({5, c + 12, 20, 4, 4, x + w - 4, y + 4, 4, h - 8, rim});
}

void Ranking(SpriteList& out) {
    Text(out, "RANKING", 100, 592, 24, 16, 32, 64);
    const int scores[10] = {128400, 96220, 70100, 51840, 40020, 23300, 12040, 5200, 880, 0};
    for (int r = 0; r < 10; ++r) {
        char line[100];
        std::snprintf(line, sizeof line, "%2d %4d/%2d/%2d %2d:%2d:%2d %10d", r + 1,
                      r < 9 ? 2024 : 1900, r < 9 ? 5 + r % 3 : 1, r < 9 ? 3 + 2 * r : 0,
                      r < 9 ? 9 + r : 0, r < 9 ? 7 * r : 0, r < 9 ? 5 * r : 0, scores[r]);
        Text(out, line, 100, 376, 72 + 56 * r, 16, 32, 64);
    }
}

void Settings(SpriteList& out, const TitleState& s) {
    int line = s.settingsLine;
    Box(out, 10, 324, 52 * line + (line >= 6 && line <= 9 ? 78 : 54), 188, 20, 0x7FFFFFFF,
        0xBFFFFFFF);
    const uint32_t rim = 0x80FFFFFF;
    Box(out, 10, 330, 78, 188, 20, 0x7FFFFFFF, rim);
    Box(out, 10, 330 + 188, 130, 188, 20, 0x7FFFFFFF, rim);
    Box(out, 10, 330 + 188, 182, 188, 20, 0x7FFFFFFF, rim);
    Box(out, 10, 330, 234, 188, 20, 0x7FFFFFFF, rim);
    const int codes[4] = {0, 1, 2, 3};
    for (int i = 0; i < 4; ++i)
        Box(out, 10, 512 + 30 * codes[i], 390 + 52 * i, 30, 20, 0x7FFFFFFF, rim);
    Box(out, 10, 512 + 30 * s.panelColor, 598, 30, 20, 0x7FFFFFFF, rim);
    const char* labels[7] = {"SCREEN MODE",       "VSYNC",      "TIMER",
                             "FRAME SKIP",        "BGM VOLUME", "SE VOLUME",
                             "BUTTON ARRANGEMENT"};
    for (int i = 0; i < 7; ++i) Text(out, labels[i], 29, 326, 54 + 52 * i, 10, 16, 32);
    const char* buttons[4] = {"DECISION", "CANCELLATION", "PAUSE", "SHIFT"};
    for (int i = 0; i < 4; ++i) Text(out, buttons[i], 29, 366, 388 + 52 * i, 10, 16, 32);
    Text(out, "COLOR", 29, 326, 574, 10, 16, 32);
    for (int k = 0; k < 20; ++k) {
        Text(out, k < 12 ? ">" : "_", 29, 366 + 10 * k, 284, 10, 16, 32);
        Text(out, k < 16 ? ">" : "_", 29, 366 + 10 * k, 336, 10, 16, 32);
    }
    Text(out, "      Window", 29, 334, 76, 10, 16, 32);
    Text(out, "    FullScreen", 29, 334 + 188, 76, 10, 16, 32);
    for (int y : {128, 232}) {
        Text(out, "       OFF", 29, 334, y, 10, 16, 32);
        Text(out, "       ON", 29, 334 + 188, y, 10, 16, 32);
    }
    const char* timers[4] = {"    timeGetTime", "PerformanceCounter", "      Sleep",
                             "     No Wait"};
    for (int i = 0; i < 4; ++i) Text(out, timers[i], 29, 334 + 188 * i, 180, 10, 16, 32);
    for (int y : {388, 440, 492, 544, 596})
        Text(out, "0  1  2  3  4  5  6  7  8  9 ", 29, 522, y, 10, 16, 32);
}

}  // namespace

SpriteList TitleScene(const TitleState& s) {
    SpriteList out;
    out.push_back({0, 0, 0, 512, 256, 16, s.scroll, 1536, 768});
    out.push_back({0, 0, 0, 512, 256, 16, s.scroll - 720, 1536, 768});
    out.push_back({2, 0, 0, 160, 40, 446, 144, 480, 120});
    out.push_back({2, 0, 48, 136, 40, 644, 144, 408, 120});
    for (int k = 0; k < 3; ++k) {
        int y = k == s.cursor ? 400 + 96 * k + s.bob : 408 + 96 * k;
        out.push_back({2, 160, 32 * k, 96, 32, 512, y, 288, 96});
    }
    Box(out, 10, 468, 470 + 96 * s.cursor, 384, 6, 0x7FFFFFFF, 0xBFFFFFFF);
    if (s.panel != 0) {
        Box(out, s.panelColor, 208, 0, 880, 720, 0x7FFFFFFF, 0xBFFFFFFF);
        if (s.panel == 1)
            Ranking(out);
        if (s.panel == 2)
            Settings(out, s);
    }
    Overlays(out, 0);
    return out;
}

SpriteList LoadingScene(int bob) {
    SpriteList out;
    out.push_back({2, 0, 256, 512, 256, 0, 0, 1536, 768});
    out.push_back({2, 256, 0, 256, 44, 400, 241 + bob, 768, 132});
    Overlays(out, 0);
    return out;
}
