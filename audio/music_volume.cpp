// The music voice's volume: set from the music volume, or stepped by a fade once per frame.
// The fade counters run even without sound; only the voice calls are skipped. Main thread.
#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"

namespace {

void SetMusicVolume(const System& system, int32_t volume) {
    if (SoundIsOn(system))
        SetVoiceVolume(kMusicVoice, static_cast<float>(volume) * 0.0001f);
}

// A hundred steps for any music volume of 100 or more; below that, one step.
int32_t FadeStep(const System& system) {
    return system.bgmVolume < 100 ? 500 : system.bgmVolume / 100;
}

void StepFadeOut(System& system, int32_t& running) {
    const int32_t step = FadeStep(system);
    if (running == 0) {
        system.bgmFadeCounter = system.bgmVolume / step;
        running = 1;
    }
    if (system.bgmFadeCounter < 1) {
        system.bgmFadeCounter = 0;
        system.bgmFadeOut = 0;
        running = 0;
        SetMusicVolume(system, 0);
        return;
    }
    SetMusicVolume(system, step * system.bgmFadeCounter);
    --system.bgmFadeCounter;
}

void StepFadeIn(System& system, int32_t& running) {
    const int32_t step = FadeStep(system);
    if (running == 0) {
        system.bgmFadeCounter = 0;
        running = 1;
    }
    if (system.bgmFadeCounter < system.bgmVolume / step) {
        SetMusicVolume(system, step * system.bgmFadeCounter);
        ++system.bgmFadeCounter;
        return;
    }
    system.bgmFadeCounter = 0;
    system.bgmFadeIn = 0;
    running = 0;
    SetMusicVolume(system, system.bgmVolume);
}

}  // namespace

void CXa2::ApplyMusicVolume() {
    SetMusicVolume(*settings, settings->bgmVolume);
}

void CXa2::MusicFade() {
    System& system = *settings;
    if (system.bgmFadeOut == 0)
        musicFadeOutRunning = 0;
    if (system.bgmFadeIn == 0)
        musicFadeInRunning = 0;
    if (system.bgmFadeOut != 0)
        StepFadeOut(system, musicFadeOutRunning);
    if (system.bgmFadeIn != 0)
        StepFadeIn(system, musicFadeInRunning);
}
