// The shutdown order.
#include "app/shutdown.h"

#include "app/window.h"
#include "audio/audio.h"
#include "audio/effect_prefetch.h"
#include "audio/music.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/render.h"

void Shutdown() {
    EnableScreenSaver();
    DiscardPreparedEffects();  // a start-up that failed early may not have taken them
    if (theGame == nullptr)
        return;
    if (theGame->scene != nullptr)
        ReleaseHeapBlock(*theGame->scene);
    int32_t audioMode = theGame->system != nullptr ? theGame->system->audioMode : kAudioOff;
    bool soundMode = PlaysSoundFiles(audioMode);
    if (soundMode && theGame->audio != nullptr)
        theGame->audio->ReleaseAudio();
    if (theGame->graphics != nullptr)
        theGame->graphics->ReleaseDevice();
    if (soundMode)
        CloseMusicTracks(audioMode);
    delete theGame;  // the parts go in the order CXa2, CXi, CDx_Gr, MapSceneEntity, System
    theGame = nullptr;
}
