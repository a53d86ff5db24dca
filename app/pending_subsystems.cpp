// Entry points of the subsystems that are still to be built: input polling, the game scene,
// sound and the resource loading. Each stays here until its own files take it over, so the
// frame loop and start-up already call everything in its final place and order.
#include "assets/resources.h"
#include "audio/audio.h"
#include "game/game.h"
#include "game/game_scene.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"

CXi::CXi() {
    for (PadSlot& pad : pads) pad.connected = 1;
}
CXi::~CXi() = default;
void CXi::Poll() {}
void CXi::PollAllPads() {}

CXa2::CXa2() = default;
CXa2::~CXa2() = default;

// Until the audio engine exists the game takes the no-engine path: silent, no message.
bool CXa2::InitAudio() {
    settings->audioUnavailable = 1;
    return true;
}
void CXa2::PlayEffect(int32_t n) {
    if (effectLog != nullptr) {
        if (effectLog->count < EffectLog::kCapacity) effectLog->effects[effectLog->count] = n;
        ++effectLog->count;
    }
}
void CXa2::ServiceEffectVoices() {}
void CXa2::ApplyEffectVolume() {}
void CXa2::RestartEffectVoice(int32_t) {}
void CXa2::ApplyMusicVolume() {}
void CXa2::MusicFade() {}
void CXa2::RewindMusic(int32_t) {}
void CXa2::ReleaseAudio() {}

int32_t RunGameFrame() { return 1; }

bool LoadResources() {
    FillAngleTables(*theGame->scene);
    theGame->scene->reloadPending = 0;
    return true;
}

#include "assets/pictures.h"

bool LoadPictures() {
    theGame->scene->reloadPending = 0;
    return true;
}
