// One Ogg Vorbis effect decoded whole into memory: 16-bit stereo, at most three seconds.
// Shared by the start-up loader and the thread that decodes the effects ahead of it.
#pragma once

#include <cstdint>

inline constexpr int32_t kOggEffectBytes = 529200;  // three seconds of 16-bit stereo at 44100 Hz

enum OggEffectResult : int32_t {
    kOggEffectDecoded = 0,
    kOggEffectCannotOpen,  // the file does not open
    kOggEffectNotVorbis,   // not an Ogg Vorbis stream
    kOggEffectNoInfo,      // no stream information
};

// Decodes the file at path into data (kOggEffectBytes long); bytes receives how many bytes
// were decoded. Prints nothing, so that any thread may call it.
[[nodiscard]] int32_t DecodeOggEffect(const char16_t* path, uint8_t* data, int32_t* bytes);
