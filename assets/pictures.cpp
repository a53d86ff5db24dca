// The picture pass over the first eight entries of the picture list.
#include "assets/pictures.h"

#include "assets/resources.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "platform/clock.h"
#include "platform/path16.h"
#include "render/render.h"

CReSur::CReSur(CDx_Gr* g, System* s, MapSceneEntity* m) : graphics(g), system(s), scene(m) {}
CReSur::~CReSur() = default;

bool CReSur::LoadPictures() {
    if (scene->reloadPending != 1)
        return true;
    for (int32_t i = 0; i < kLoadedPictures; ++i) {
        graphics->ReleasePicture(i);
        (void)TextCopy(scene->currentPictureNames[i], kNameUnits, scene->pictureNames[i]);
        char16_t path[kPathUnits];
        (void)DataFilePath(*system, scene->currentPictureNames[i], path);
        CLoadTex loader(graphics);
        if (!loader.LoadPicture(i, path))
            return false;
        YieldTimeSlice();
    }
    scene->reloadPending = 0;
    return true;
}

bool LoadPictures() {
    CReSur pass(theGame->graphics, theGame->system, theGame->scene);
    return pass.LoadPictures();
}
