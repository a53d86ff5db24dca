// The voices the game plays through, by number: effect voices 0..31 (voice n holds effect
// n's whole sound in its own buffer) and the music voice. Only the game's own operations are
// named here; the backend is chosen at link time (no voices at all until the real mixer is
// there, a recording fake in the tests). Main thread, except where the music streaming says
// otherwise.
#pragma once

#include <cstdint>

inline constexpr int32_t kEffectVoices = 32;
inline constexpr int32_t kMusicVoice = 32;

// Stops the voice at once; what is queued stays queued.
void StopVoice(int32_t voice);

// Drops every buffer queued on the voice.
void FlushVoice(int32_t voice);

// Queues the voice's own buffer (effect n's sound, from its first sample). False when the
// voice does not take it.
[[nodiscard]] bool SubmitVoiceBuffer(int32_t voice);

// Starts (or resumes) playing what is queued.
void StartVoice(int32_t voice);

// Buffers queued and not yet played through.
[[nodiscard]] int32_t QueuedVoiceBuffers(int32_t voice);

// Gain of the voice, 1.0 full scale.
void SetVoiceVolume(int32_t voice, float volume);
