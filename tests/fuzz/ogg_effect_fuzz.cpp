// Ogg Vorbis effects of any bytes, decoded as start-up loads them (no voices behind them),
// and decoded again by vorbisfile alone: the two must agree to the byte. The decoding setup
// is kept from one input to the next, as the effect prefetch keeps it from file to file.
#include <vorbis/vorbisfile.h>

#include <cstdlib>
#include <cstring>
#include <memory>

#include "audio/audio.h"
#include "audio/ogg_effect.h"
#include "game/system.h"
#include "tests/fuzz/fuzz_file.h"

namespace {

// The effect as vorbisfile gives it, stopped at the stream's length or the limit.
int32_t DecodeByVorbisfile(const char* path, uint8_t* data, int32_t* bytes) {
    *bytes = 0;
    OggVorbis_File stream;
    if (ov_fopen(path, &stream) != 0)
        return kOggEffectNotVorbis;
    const int64_t frames = ov_pcm_total(&stream, -1);
    const int64_t wanted =
        (frames < kOggEffectBytes ? frames : kOggEffectBytes) * ov_info(&stream, -1)->channels * 2;
    const int32_t total = static_cast<int32_t>(wanted < kOggEffectBytes ? wanted : kOggEffectBytes);
    int link = 0;
    while (*bytes < total) {
        const long r = ov_read(&stream, reinterpret_cast<char*>(data + *bytes), total - *bytes, 0,
                               2, 1, &link);
        if (r <= 0)
            break;
        *bytes += static_cast<int32_t>(r);
    }
    ov_clear(&stream);
    return kOggEffectDecoded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("effect.ogg");
    static OggEffectSetup setup;
    static uint8_t decoded[kOggEffectBytes];
    static uint8_t expected[kOggEffectBytes];
    file.Write(data, size);
    auto system = std::make_unique<System>();
    system->audioMode = 2;
    CXa2 audio;
    audio.settings = system.get();
    (void)audio.LoadOggEffect(file.path, 7);
    delete[] audio.effectData[7];

    int32_t bytes = 0;
    int32_t expectedBytes = 0;
    const int32_t result = DecodeOggEffect(file.path, decoded, &bytes, &setup);
    const int32_t expectedResult = DecodeByVorbisfile(file.path8.c_str(), expected, &expectedBytes);
    if ((result == kOggEffectDecoded) != (expectedResult == kOggEffectDecoded) ||
        bytes != expectedBytes || std::memcmp(decoded, expected, static_cast<size_t>(bytes)) != 0)
        std::abort();
    return 0;
}
