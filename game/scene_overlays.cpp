// What every scene draws last: the fade overlay, the border bands and the status line.
#include <cstdio>

#include "game/fade.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/system.h"
#include "render/render.h"
#include "render/set_vertex.h"

namespace {

constexpr int32_t kNoPictureSheet = 120;
DrawCommand Plain(int32_t x, int32_t y, int32_t w, int32_t h) {
    return SpriteCommand(kNoPictureSheet, {32, 0, 16, 16}, {x, y, w, h});
}

}  // namespace

void StepFade(MapSceneEntity& scene) {
    if (scene.fadeIn != 0) {
        scene.fadeAlpha = static_cast<uint8_t>(scene.fadeAlpha > 250 ? 255 : scene.fadeAlpha + 5);
    }
    if (scene.fadeOut != 0) {
        if (scene.fadeAlpha > 0) {
            scene.fadeAlpha = static_cast<uint8_t>(scene.fadeAlpha < 5 ? 0 : scene.fadeAlpha - 5);
        } else {
            ClearFadeFlags(scene);
        }
    }
}

void DrawFadeOverlay(MapSceneEntity& scene) {
    System& system = *theGame->system;
    DrawCommand c = Plain(0, 0, system.clientWidth, system.clientHeight);
    c.color = (static_cast<uint32_t>(scene.fadeAlpha) << 24) + 0xFFFFFFu;
    CSetVerTex forward(theGame->graphics, &system, &scene);
    forward.Submit(&c);
}

CObjectIcDX::CObjectIcDX()
    : graphics(theGame->graphics),
      system(theGame->system),
      scene(theGame->scene),
      audio(theGame->audio) {}
CObjectIcDX::~CObjectIcDX() = default;

void CObjectIcDX::DrawBorderBands() {
    const int32_t w = system->layoutWidth;
    const int32_t h = system->layoutHeight;
    const bool scene3 = scene->sceneNumber == 3;  // no scene sets 3; the bands still know it
    CSetVerTex forward(graphics, system, scene);
    DrawCommand top = Plain(-256, -256, w + 512, 256);
    DrawCommand bottom = Plain(-256, h, w + 512, 256);
    DrawCommand left = Plain(scene3 ? -256 : -240, -256, 256, h + 512);
    DrawCommand right = Plain(scene3 ? w + 32 : w + 16, -256, 256, h + 512);
    forward.Submit(&top);
    forward.Submit(&bottom);
    forward.Submit(&left);
    forward.Submit(&right);
}

void CObjectIcDX::DrawStatusLine() {
    char text[64] = {};
    std::snprintf(text, sizeof text, " %8d %8d %8d %8d", scene->statusValues[0], 0,
                  scene->statusValues[1], scene->statusValues[2]);
    CSetVerTex forward(graphics, system, scene);
    for (int i = 0; i < 36; ++i) {
        const uint32_t c = static_cast<unsigned char>(text[i]);
        DrawCommand glyph = GlyphCommand(c, {10 * i, system->layoutHeight, 16, 32});
        forward.Submit(&glyph);
    }
}
