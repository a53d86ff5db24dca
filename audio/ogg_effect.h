// One Ogg Vorbis effect decoded whole into memory: 16-bit stereo, at most three seconds.
// Shared by the start-up loader and the thread that decodes the effects ahead of it.
#pragma once

#include <vorbis/codec.h>

#include <cstdint>

inline constexpr int32_t kOggEffectBytes = 529200;  // three seconds of 16-bit stereo at 44100 Hz

enum OggEffectResult : int32_t {
    kOggEffectDecoded = 0,
    kOggEffectCannotOpen,  // the file does not open
    kOggEffectNotVorbis,   // not an Ogg Vorbis stream
    kOggEffectNoInfo,      // no stream information
};

// Effects made at one encoder setting carry the same two headers, and turning the setup
// header's codebooks into decoding tables is a third of an effect's decoding. This keeps the
// last file's stream information (tables included) for the next file with the same headers.
// One for each thread that decodes; ReleaseOggEffectSetup frees what it holds.
struct OggEffectSetup {
    static constexpr int32_t kIdentBytes = 30;  // a Vorbis identification header's length
    static constexpr int32_t kSetupBytes = 16384;
    bool made = false;
    vorbis_info info{};
    uint8_t ident[kIdentBytes]{};
    uint8_t setup[kSetupBytes]{};
    int32_t setupBytes = 0;
};

// Decodes the file at path into data (kOggEffectBytes long); bytes receives how many bytes
// were decoded. setup (may be null) is the calling thread's own. Prints nothing, so that any
// thread may call it.
[[nodiscard]] int32_t DecodeOggEffect(const char16_t* path, uint8_t* data, int32_t* bytes,
                                      OggEffectSetup* setup = nullptr);

void ReleaseOggEffectSetup(OggEffectSetup& setup);
