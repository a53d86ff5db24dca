// CLoadSnd's music operations at start-up: the music voice with the tracks' block areas,
// and the music streaming thread. Main thread.
#include "assets/load_sound.h"

#include <system_error>
#include <thread>

#include "audio/audio.h"
#include "audio/music_stream.h"
#include "audio/music_tracks.h"
#include "audio/voices.h"
#include "game/system.h"
#include "platform/message_box.h"

bool CLoadSnd::CreateMusicVoice() {
    if (!CreateVoice(kMusicVoice, kStereo16Format))
        return false;
    for (int32_t n = 0; n < kMusicTracks; ++n) {
        delete[] audio->musicData[n];
        audio->musicData[n] = new uint8_t[3 * kMusicBlockBytes];  // cleared on first use
    }
    audio->musicVolume = VoiceVolume(kMusicVoice);
    audio->musicRatio = VoiceFrequencyRatio(kMusicVoice);
    SetVoiceVolume(kMusicVoice, static_cast<float>(system->bgmVolume) * 0.0001f);
    return true;
}

// std::thread reports a failure to start only by throwing; this is where that becomes the
// game's own result.
bool CLoadSnd::StartStreamThread() {
    system->audioStopRequest = 0;
    try {
        audio->streamThread = std::thread(StreamMusic, audio);
    } catch (const std::system_error&) {
        ShowMessage(u"Error", u"スレッドの生成に失敗");
        return false;
    }
    return true;
}
