// CXa2: all sound output. The engine, the 32 effect voices and the music voice with its
// streaming thread; every operation that touches a voice does nothing unless sound is on
// (SoundIsOn in game/system.h).
#pragma once

#include <cstdint>
#include <thread>

#include "game/system.h"

inline constexpr int32_t kEffects = 32;
// The sound list names the music tracks first: effect n is its entry kFirstEffectName + n.
inline constexpr int32_t kFirstEffectName = kMusicTracks;
inline constexpr uint32_t kEndOfStream = 0x40;

// One buffer description as submitted to a voice: the effect's whole sound, or one music
// block. The loop fields are always 0 here.
struct EffectBuffer {
    uint32_t flags;       // kEndOfStream on an effect shorter than its limit
    uint32_t audioBytes;  // bytes of sample data
    const uint8_t* data;
    uint32_t playBegin;   // sample frames
    uint32_t playLength;  // sample frames
    uint32_t loopBegin;
    uint32_t loopLength;
    uint32_t loopCount;
    void* context;
};

// Tools and tests that report which effects a frame played point CXa2 at one of these.
struct EffectLog {
    static constexpr int kCapacity = 64;
    int32_t effects[kCapacity];
    int32_t count;  // calls beyond the capacity are counted but not kept
};

class CXa2 {
public:
    CXa2() = default;
    virtual ~CXa2() = default;

    System* settings = nullptr;
    float effectVolumes[kEffects] = {};  // each effect voice's volume as read back after loading
    float effectRatios[kEffects] = {};   // and its frequency ratio
    float musicVolume = 0.0f;            // the music voice's, read back after creation
    float musicRatio = 0.0f;
    std::thread streamThread;            // the music streaming thread, joined by ReleaseAudio
    uint8_t* effectData[kEffects] = {};  // effect n's sample data
    EffectBuffer effectBuffers[kEffects] = {};
    // Each track's data area: three blocks, of which the first two are filled in turn.
    uint8_t* musicData[kMusicTracks] = {};
    EffectBuffer musicBuffers[kMusicTracks] = {};
    EffectLog* effectLog = nullptr;
    // Set by a fade's first step, so the next steps continue it; cleared when it ends or
    // when its request is withdrawn.
    int32_t musicFadeOutRunning = 0;
    int32_t musicFadeInRunning = 0;

    // Engine and mastering voice (start-up, sound modes 1 and 2). False only when the
    // mastering voice fails; no engine at all means a silent game (audioUnavailable = 1).
    [[nodiscard]] bool InitAudio();
    // Effect n (0..31) from a WAVE file (sound mode 1, at most one second) or an Ogg Vorbis
    // file (mode 2, at most 529,200 bytes). False when it cannot be loaded.
    [[nodiscard]] bool LoadWaveEffect(const char16_t* path, int32_t n);
    [[nodiscard]] bool LoadOggEffect(const char16_t* path, int32_t n);
    // Restarts effect n (0..31) from its first sample.
    void PlayEffect(int32_t n);
    // Once per frame: every idle effect voice gets its buffer again, not started.
    void ServiceEffectVoices();
    // All 32 effect voices to seVolume x 0.0001.
    void ApplyEffectVolume();
    // Stops and starts effect voice n again, without a new buffer (the settings screen).
    void RestartEffectVoice(int32_t n);
    // The music voice to bgmVolume x 0.0001.
    void ApplyMusicVolume();
    // One step of a pending music fade; called once per frame by both scenes.
    void MusicFade();
    // Restarts track n from its first sample. The streaming thread moves the stream before
    // it reads the track's next block; the main thread only asks for it.
    void RewindMusic(int32_t n);
    // Stops the streaming thread and destroys every voice (shutdown).
    void ReleaseAudio();
};
