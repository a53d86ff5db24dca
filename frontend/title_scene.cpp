// The title scene's frame: the scrolling background, the logo and the menu items (or the
// waiting picture while the sheets load), the menu logic, the fade and the overlays.
#include "frontend/title_scene.h"

#include "audio/audio.h"
#include "frontend/title_icdx.h"
#include "game/fade.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/object_icdx.h"
#include "game/system.h"
#include "render/render.h"
#include "render/set_vertex.h"

TitleAnimation theTitleAnimation = {};

namespace {

constexpr int32_t kBackgroundSheet = 0;
constexpr int32_t kTitleSheet = 2;
constexpr int32_t kScrollStep = 3;
constexpr int32_t kScreenHeight = 720;
constexpr int32_t kBobTop = 16;

void SubmitPicture(int32_t sheet, int32_t sx, int32_t sy, int32_t sw, int32_t sh, int32_t x,
                   int32_t y, int32_t w, int32_t h) {
    DrawCommand c = SpriteCommand(sheet, {sx, sy, sw, sh}, {x, y, w, h});
    CSetVerTex forward(theGame->graphics, theGame->system, theGame->scene);
    forward.Submit(&c);
}

// A triangle wave 0..16..0: at either end it turns, in between it keeps its direction.
void StepBob(TitleAnimation& a) {
    if (a.titleBob >= kBobTop) {
        a.titleBobFalling = 1;
        --a.titleBob;
    } else if (a.titleBob <= 0) {
        a.titleBobFalling = 0;
        ++a.titleBob;
    } else if (a.titleBobFalling != 0) {
        --a.titleBob;
    } else {
        ++a.titleBob;
    }
}

}  // namespace

CTitleIcDX::CTitleIcDX()
    : Menu(theGame->scene), input(theGame->input), audio(theGame->audio), system(theGame->system) {}
CTitleIcDX::~CTitleIcDX() = default;

void CTitleIcDX::DrawTitle() {
    TitleAnimation& a = theTitleAnimation;
    StepBob(a);
    if (scene->reloadPending != 0) {
        SubmitPicture(kTitleSheet, 0, 256, 512, 256, 0, 0, 1536, 768);
        SubmitPicture(kTitleSheet, 256, 0, 256, 44, 400, 241 + a.titleBob, 768, 132);
        return;
    }
    a.titleScroll = (a.titleScroll + kScrollStep) % kScreenHeight;
    SubmitPicture(kBackgroundSheet, 0, 0, 512, 256, 16, a.titleScroll, 1536, 768);
    SubmitPicture(kBackgroundSheet, 0, 0, 512, 256, 16, a.titleScroll - kScreenHeight, 1536, 768);
    SubmitPicture(kTitleSheet, 0, 0, 160, 40, 446, 144, 480, 120);
    SubmitPicture(kTitleSheet, 0, 48, 136, 40, 644, 144, 408, 120);
    for (int32_t k = 0; k < 3; ++k) {
        // The chosen item stands 8 pixels higher and bobs.
        const int32_t y = k == scene->menuCursorShown ? 400 + 96 * k + a.titleBob : 408 + 96 * k;
        SubmitPicture(kTitleSheet, 160, 32 * k, 96, 32, 512, y, 288, 96);
    }
}

int32_t RunTitleFrame() {
    CTitleIcDX title;
    CObjectIcDX overlays;
    MapSceneEntity& scene = *theGame->scene;
    theGame->graphics->ResetDrawList();
    title.DrawTitle();
    if (scene.reloadPending == 0)
        title.RunTitleMenu();
    StepFade(scene);
    theGame->audio->MusicFade();
    DrawFadeOverlay(scene);
    overlays.DrawBorderBands();
    overlays.DrawStatusLine();
    return 1;
}
