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
constexpr int32_t kFontSheet = 6;

DrawCommand Plain(int32_t x, int32_t y, int32_t w, int32_t h) {
    DrawCommand c{};
    c.dstX = x;
    c.dstY = y;
    c.dstW = w;
    c.dstH = h;
    c.srcX = 32;
    c.srcY = 0;
    c.srcW = 16;
    c.srcH = 16;
    c.scaleX = 1.0f;
    c.scaleY = 1.0f;
    c.color = 0xFFFFFFFF;
    c.sheet = kNoPictureSheet;
    return c;
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
        DrawCommand glyph{};
        glyph.dstX = 10 * i;
        glyph.dstY = system->layoutHeight;
        glyph.dstW = 16;
        glyph.dstH = 32;
        glyph.srcX = static_cast<int32_t>((c % 16) * 16);
        glyph.srcY = static_cast<int32_t>(((c / 16) % 16) * 32);
        glyph.srcW = 16;
        glyph.srcH = 32;
        glyph.scaleX = 1.0f;
        glyph.scaleY = 1.0f;
        glyph.color = 0xFFFFFFFF;
        glyph.sheet = kFontSheet;
        forward.Submit(&glyph);
    }
}
