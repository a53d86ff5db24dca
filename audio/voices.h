// The voices the game plays through, by number: effect voices 0..31 (voice n holds effect
// n's whole sound in its own buffer) and the music voice, fed block by block. Only the
// game's own operations are named here; the backend is chosen at link time (OpenAL Soft in
// the game, no voices at all for headless tools, a recording fake in the unit tests).
// Effect voices are used on the main thread; the music voice is fed, started, stopped and
// flushed only by the music streaming thread, while the main thread sets its volume.
#pragma once

#include <cstdint>

inline constexpr int32_t kEffectVoices = 32;
inline constexpr int32_t kMusicVoice = 32;

// Opening the output: the engine and its mastering voice.
enum VoiceOutputResult : int32_t {
    kVoiceOutputReady = 0,
    kVoiceOutputNoDevice,  // no engine or no output device: the game runs silent
    kVoiceOutputNoMixer,   // a device but no mastering voice: start-up fails
};
[[nodiscard]] int32_t OpenVoiceOutput();

// Destroys every voice left and closes the output (shutdown).
void CloseVoiceOutput();

// The sample format a voice is created with: integer PCM (format tag 1) or 32-bit float
// (tag 3), as a WAVE format chunk gives it.
struct VoiceFormat {
    uint16_t formatTag;
    uint16_t channels;
    uint32_t samplesPerSecond;
    uint16_t blockAlign;
    uint16_t bitsPerSample;
};

// The music and Ogg Vorbis effect format: PCM, 2 channels, 44100 Hz, 16 bits.
inline constexpr VoiceFormat kStereo16Format = {1, 2, 44100, 4, 16};

// Creates the voice with its format, stopped and empty. False when the output cannot play
// the format or has no room for another voice.
[[nodiscard]] bool CreateVoice(int32_t voice, const VoiceFormat& format);

// Destroys the voice and its buffers; nothing happens for a voice never created.
void DestroyVoice(int32_t voice);

// Gives an effect voice its own sound: bytes of sample data in the voice's format, whole
// frames only. False when the voice does not take it.
[[nodiscard]] bool SetVoiceSound(int32_t voice, const uint8_t* data, int32_t bytes);

// Stops the voice at once; what is queued stays queued and a start resumes it.
void StopVoice(int32_t voice);

// Drops every buffer queued on the voice (the game flushes only stopped voices).
void FlushVoice(int32_t voice);

// Queues the voice's own buffer (effect n's sound, from its first sample). False when the
// voice does not take it.
[[nodiscard]] bool SubmitVoiceBuffer(int32_t voice);

// Queues one block of the music voice's stream (copied at once, so the caller may refill
// its area afterwards). False when the voice does not take it.
[[nodiscard]] bool SubmitVoiceBlock(int32_t voice, const uint8_t* data, int32_t bytes);

// Starts (or resumes) playing what is queued. A started voice that runs dry stays started:
// whatever is queued next plays at once, until the voice is stopped.
void StartVoice(int32_t voice);

// Buffers queued and not yet played through.
[[nodiscard]] int32_t QueuedVoiceBuffers(int32_t voice);

// Gain of the voice, 1.0 full scale.
void SetVoiceVolume(int32_t voice, float volume);

// The voice's gain and frequency ratio as the output holds them (1.0 each when created).
[[nodiscard]] float VoiceVolume(int32_t voice);
[[nodiscard]] float VoiceFrequencyRatio(int32_t voice);
