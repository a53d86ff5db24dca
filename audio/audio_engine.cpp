// The engine's life: opening the output at start-up and taking everything down at
// shutdown. Main thread.
#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"

// No engine or no device is not an error: the game runs silent and loads no sounds. Only a
// device without a mastering voice fails start-up.
bool CXa2::InitAudio() {
    switch (OpenVoiceOutput()) {
        case kVoiceOutputReady:
            return true;
        case kVoiceOutputNoDevice:
            settings->audioUnavailable = 1;
            return true;
        default:
            return false;
    }
}

// Stops the streaming thread and waits for it, then destroys the effect voices from the
// last to the first with their data, the music voice and its blocks, and the output. The
// music files are closed afterwards by the shutdown.
void CXa2::ReleaseAudio() {
    // Start-up may end before the engine was given its settings: nothing runs yet then.
    if (settings != nullptr)
        settings->audioStopRequest = 1;
    if (streamThread.joinable())
        streamThread.join();
    for (int32_t n = kEffects - 1; n >= 0; --n) {
        DestroyVoice(n);
        delete[] effectData[n];
        effectData[n] = nullptr;
        effectBuffers[n] = EffectBuffer{};
    }
    DestroyVoice(kMusicVoice);
    for (int32_t n = 0; n < kMusicTracks; ++n) {
        delete[] musicData[n];
        musicData[n] = nullptr;
    }
    CloseVoiceOutput();
}
