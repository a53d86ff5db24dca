// The 32 effect voices: playing an effect is a restart of its voice, and every idle voice
// is kept loaded with its buffer so that the next restart finds exactly one to flush.
// Main thread only.
#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"

namespace {

float EffectVolume(const System& system) {
    return static_cast<float>(system.seVolume) * 0.0001f;
}

bool IsEffect(int32_t n) {
    return n >= 0 && n < kEffects;
}

}  // namespace

void CXa2::PlayEffect(int32_t n) {
    // Recorded at the call, sound or not: tools report what a frame asked to play.
    if (effectLog != nullptr) {
        if (effectLog->count < EffectLog::kCapacity)
            effectLog->effects[effectLog->count] = n;
        ++effectLog->count;
    }
    if (!SoundIsOn(*settings) || !IsEffect(n))
        return;
    StopVoice(n);
    FlushVoice(n);
    (void)SubmitVoiceBuffer(n);
    StartVoice(n);
}

void CXa2::ServiceEffectVoices() {
    if (!SoundIsOn(*settings))
        return;
    for (int32_t n = 0; n < kEffects; ++n) {
        if (QueuedVoiceBuffers(n) != 0)
            continue;
        StopVoice(n);
        FlushVoice(n);
        (void)SubmitVoiceBuffer(n);  // loaded, not started
    }
}

void CXa2::ApplyEffectVolume() {
    if (!SoundIsOn(*settings))
        return;
    const float volume = EffectVolume(*settings);
    for (int32_t n = 0; n < kEffects; ++n) SetVoiceVolume(n, volume);
}

void CXa2::RestartEffectVoice(int32_t n) {
    if (!SoundIsOn(*settings) || !IsEffect(n))
        return;
    StopVoice(n);
    StartVoice(n);
}
