// Loading the sounds: effects first, then the music tracks of the sound mode, each with its
// loop file, then the music voice and its streaming thread.
#include "assets/sound_loading.h"

#include <cstdio>

#include "assets/load_sound.h"
#include "assets/resources.h"
#include "assets/wave_stream.h"
#include "audio/audio.h"
#include "audio/music_tracks.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/message_box.h"
#include "platform/path16.h"

namespace {

bool LoadEffects(System& system, MapSceneEntity& scene, CXa2& audio) {
    for (int32_t n = 0; n < kEffects; ++n) {
        char16_t path[kPathUnits];
        (void)DataFilePath(system, scene.soundNames[kFirstEffectName + n], path);
        bool loaded = system.audioMode == kAudioWave ? audio.LoadWaveEffect(path, n)
                                                     : audio.LoadOggEffect(path, n);
        if (!loaded)
            return false;
    }
    return true;
}

// Loop points that do not fit the track become the whole track (see FitLoopPoints).
void FitTrackLoop(System& system, int32_t n) {
    FitLoopPoints(system.LoopStart[n], system.LoopLength[n], TrackFrames(system.audioMode, n));
}

bool ReadTrackLoop(CLoadSnd& loader, const char16_t* trackPath, int32_t n) {
    char16_t loopPath[kPathUnits];
    if (!TextCopy(loopPath, kPathUnits, trackPath) || !TextAppend(loopPath, kPathUnits, u".sli")) {
        loopPath[0] = 0;
    }
    return loader.ReadLoopFile(loopPath, n);
}

bool OpenWaveTrack(System& system, CLoadSnd& loader, const char16_t* path, int32_t n) {
    WaveStream& s = WaveTrack(n);
    CloseWave(&s);  // discard what the track may still hold
    if (OpenWave(path, &s) != kWaveOk || RewindWave(&s) != kWaveOk) {
        ShowMessage(u"Error", u"WAVEファイルを開くのに失敗");
        return false;
    }
    if (!ReadTrackLoop(loader, path, n))
        return false;
    FitTrackLoop(system, n);
    RewindTrack(system, n);  // from the first sample frame to the loop end
    return true;
}

bool OpenVorbisTrack(System& system, CLoadSnd& loader, const char16_t* path, int32_t n) {
    char path8[kPathUnits * 3 + 1];
    switch (OpenOggTrack(path, n)) {
        case kOggOpened:
            break;
        case kOggCannotOpen:
            TextToUtf8(path8, sizeof path8, path);
            std::fprintf(stderr, "Open Error : %s", path8);
            return false;
        case kOggNotVorbis:
            std::fprintf(stderr, "Input does not appear to be an Ogg bitstream.\n");
            return false;
        case kOggNotStereo:
            std::printf(
                "Sorry; right now seeking_test can only use Vorbis files\n"
                "that are entirely stereo.\n\n");
            return false;
        default:
            std::fprintf(stderr, "Get Info Error\n");
            return false;
    }
    if (!ReadTrackLoop(loader, path, n))
        return false;
    FitTrackLoop(system, n);
    RewindTrack(system, n);
    return true;
}

bool OpenTracks(System& system, MapSceneEntity& scene, CLoadSnd& loader) {
    for (int32_t n = 0; n < kMusicTracks; ++n) {
        char16_t path[kPathUnits];
        (void)DataFilePath(system, scene.soundNames[n], path);
        bool opened = system.audioMode == kAudioWave ? OpenWaveTrack(system, loader, path, n)
                                                     : OpenVorbisTrack(system, loader, path, n);
        if (!opened)
            return false;
    }
    return true;
}

}  // namespace

bool LoadSounds(System& system, MapSceneEntity& scene) {
    if (!SoundIsOn(system))
        return true;
    CLoadFile lists(&system, &scene);
    char16_t listPath[kPathUnits];
    (void)DataFilePath(system,
                       system.audioMode == kAudioWave ? u"wav\\wav_0000.txt" : u"ogg\\ogg_0000.txt",
                       listPath);
    if (!lists.ReadSoundList(listPath))
        return false;
    if (!LoadEffects(system, scene, *theGame->audio))
        return false;
    CLoadSnd loader(theGame->audio, &system);
    if (!OpenTracks(system, scene, loader))
        return false;
    if (!loader.CreateMusicVoice())
        return false;
    return loader.StartStreamThread();
}
