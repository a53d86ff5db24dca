// Framed boxes and panels of the title menus, and the font glyphs their pages are written in.
// Each box is nine draws: the centre, four corners and four edges, in that order.
#include "frontend/title_icdx.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "render/render.h"
#include "render/set_vertex.h"

uint32_t theBoxFrameColor = kFirstBoxFrameColor;

namespace {

constexpr int32_t kFrameSheet = 5;
constexpr uint32_t kCentreColor = 0x7FFFFFFF;
constexpr uint32_t kPanelFrameColor = 0xBFFFFFFF;
constexpr int32_t kCursorColumn = 160;  // the cursor box's column of sheet 5
constexpr int32_t kPanelX = 208;

void SubmitPiece(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx, int32_t sy, int32_t sw,
                 uint32_t color) {
    DrawCommand c = SpriteCommand(kFrameSheet, {sx, sy, sw, sw}, {x, y, w, h}, color);
    CSetVerTex forward(theGame->graphics, theGame->system, theGame->scene);
    forward.Submit(&c);
}

// The nine pieces from the 16-pixel column at sx: the centre from its top 16 x 16, corners
// and edges from the 4 x 4 cells of rows 16, 20 and 28 at offsets 0, 4 and 12.
void SubmitFramedBox(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sx, uint32_t frame) {
    SubmitPiece(x + 4, y + 4, w - 8, h - 8, sx, 0, 16, kCentreColor);
    SubmitPiece(x, y, 4, 4, sx, 16, 4, frame);
    SubmitPiece(x + w - 4, y, 4, 4, sx + 12, 16, 4, frame);
    SubmitPiece(x, y + h - 4, 4, 4, sx, 28, 4, frame);
    SubmitPiece(x + w - 4, y + h - 4, 4, 4, sx + 12, 28, 4, frame);
    SubmitPiece(x + 4, y, w - 8, 4, sx + 4, 16, 4, frame);
    SubmitPiece(x, y + 4, 4, h - 8, sx, 20, 4, frame);
    SubmitPiece(x + 4, y + h - 4, w - 8, 4, sx + 4, 28, 4, frame);
    SubmitPiece(x + w - 4, y + 4, 4, h - 8, sx + 12, 20, 4, frame);
}

}  // namespace

Menu::Menu(MapSceneEntity* s) : scene(s) {}
Menu::~Menu() = default;

void Menu::DrawCursorBox(int32_t x, int32_t y, int32_t w, int32_t h) {
    SubmitFramedBox(x, y, w, h, kCursorColumn, theBoxFrameColor);
    // The new colour shows from the next box on, so the shimmer lags one box behind.
    theBoxFrameColor = (static_cast<uint32_t>(scene->frameShimmer + 64) << 24) | 0xFFFFFFu;
}

void Menu::DrawPanel(int32_t w, int32_t h) {
    SubmitFramedBox(kPanelX, 0, w, h, 16 * scene->panelColor, kPanelFrameColor);
}

void SubmitGlyph(uint32_t c, int32_t x, int32_t y, int32_t w, int32_t h) {
    DrawCommand g = GlyphCommand(c, {x, y, w, h});
    CSetVerTex forward(theGame->graphics, theGame->system, theGame->scene);
    forward.Submit(&g);
}
