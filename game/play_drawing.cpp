// The play drawing: the previews and the falling piece, the score and level texts, the pause
// text, the field and the game-over sequence, submitted in this fixed order.
#include <cstdio>

#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/pieces.h"
#include "game/play_motion.h"
#include "game/play_state.h"
#include "render/set_vertex.h"

namespace {

constexpr int32_t kPlaySheet = 3;
constexpr int32_t kFieldX = 496;  // the grid's left edge on screen

struct Point {
    int32_t x, y;
};

// Box origins of previews 1..6 (entry 0 unused: that piece is in play).
constexpr Point kPreviewOrigins[7] = {
    {0, 0}, {808, 24}, {952, 24}, {1096, 24}, {1096, 168}, {1096, 312}, {1096, 456},
};

void SubmitTile(CSetVerTex& forward, int32_t value, int32_t x, int32_t y) {
    DrawCommand c =
        SpriteCommand(kPlaySheet, {192 + 8 * value, 256, 8, 8}, {x, y, kCellPixels, kCellPixels});
    c.pivotX = 12.0f;
    c.pivotY = 12.0f;
    forward.Submit(&c);
}

void SubmitGlyph(CSetVerTex& forward, uint32_t code, int32_t x, int32_t y) {
    DrawCommand c = GlyphCommand(code, {x, y, 32, 64});
    forward.Submit(&c);
}

// A text's cells from the last down to the first, terminating zero and padding included;
// glyphs are drawn at twice their size but advance by 16 pixels.
void SubmitText(CSetVerTex& forward, const char* cells, int32_t count, int32_t x, int32_t y) {
    for (int32_t cell = count - 1; cell >= 0; --cell) {
        SubmitGlyph(forward, static_cast<unsigned char>(cells[cell]), x + 16 * cell, y);
    }
}

// Box cell n of the six previews (orientation 0, empty cells as tile 0), then of the
// falling piece where its shape has a block.
void SubmitBoxCell(CSetVerTex& forward, const PlayState& play, int32_t n) {
    const int32_t dx = kCellPixels * (n % 4);
    const int32_t dy = kCellPixels * (n / 4);
    for (int32_t k = 1; k <= 6; ++k) {
        const Point origin = kPreviewOrigins[k];
        SubmitTile(forward, ShapeTable[play.queue[k]][0][n], origin.x + dx, origin.y + dy);
    }
    const int32_t value = ShapeTable[play.queue[0]][play.orientation][n];
    if (value != 0)
        SubmitTile(forward, value, kFieldX + play.pieceX + dx, play.pieceY + dy);
}

void SubmitScoreAndLevel(CSetVerTex& forward, const PlayState& play) {
    char score[11] = {};
    std::snprintf(score, sizeof score, "%10d", play.score);
    SubmitText(forward, score, 11, 310, 24);
    // Ten cells are drawn; the spare room only keeps the formatting of any number whole.
    char level[20] = {};
    std::snprintf(level, sizeof level, "Level %2d", play.levelIndex + 1);
    SubmitText(forward, level, 10, 298, 120);
}

void SubmitField(CSetVerTex& forward, const PlayState& play) {
    // Every cell, walls, floor and the hidden row 29 included; empty ones as tile 0.
    for (int32_t i = 0; i < kGridCells; ++i) {
        SubmitTile(forward, play.grid[i], kFieldX + kCellPixels * (i % kGridColumns),
                   kCellPixels * (i / kGridColumns));
    }
}

}  // namespace

void CObjectIcDX::DrawPlayScene(PlayState& play) {
    CSetVerTex forward(graphics, system, scene);
    const bool paused = scene->block.pauseFlag != 0;
    if (!paused) {
        for (int32_t n = kBoxCells - 1; n >= 0; --n) SubmitBoxCell(forward, play, n);
    }
    SubmitScoreAndLevel(forward, play);
    if (paused) {
        char text[10] = {};
        std::snprintf(text, sizeof text, "P A U S E");
        SubmitText(forward, text, 10, 568, 288);
        return;
    }
    SubmitField(forward, play);
    StepGameOver(play, forward);
}
