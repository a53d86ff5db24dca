// Entry points of the subsystems that are still to be built: the audio engine and the
// resource loading. Each stays here until its own files take it over, so the frame loop and
// start-up already call everything in its final place and order.
#include "assets/load_sound.h"
#include "audio/audio.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"

// Until the audio engine exists the game takes the no-engine path: silent, no message.
bool CXa2::InitAudio() {
    settings->audioUnavailable = 1;
    return true;
}
void CXa2::RewindMusic(int32_t) {}
void CXa2::ReleaseAudio() {}

// Never reached yet: without an engine, start-up loads no sounds.
bool CXa2::LoadWaveEffect(const char16_t*, int32_t) { return false; }
bool CXa2::LoadOggEffect(const char16_t*, int32_t) { return false; }
bool CLoadSnd::CreateMusicVoice() { return false; }
bool CLoadSnd::StartStreamThread() { return false; }
