// Decoding one Ogg Vorbis effect file into memory.
#include "audio/ogg_effect.h"

#include <vorbis/vorbisfile.h>

#include <cstdio>

#include "platform/files.h"

namespace {

int32_t DecodeOgg(OggVorbis_File& stream, uint8_t* data) {
    const vorbis_info* info = ov_info(&stream, -1);
    // The stream's length in bytes, counted only as far as the limit: a stream of hours
    // would not fit an int.
    const int64_t frames = ov_pcm_total(&stream, -1);
    const int64_t bytes =
        (frames < kOggEffectBytes ? frames : kOggEffectBytes) * info->channels * 2;
    const int32_t total = static_cast<int32_t>(bytes < kOggEffectBytes ? bytes : kOggEffectBytes);
    int32_t decoded = 0;
    int link = 0;
    for (;;) {
        int32_t want = total - decoded;
        if (want > kOggEffectBytes - decoded)
            want = kOggEffectBytes - decoded;
        if (want <= 0)
            break;
        long r = ov_read(&stream, reinterpret_cast<char*>(data + decoded), want, 0, 2, 1, &link);
        if (r <= 0)
            break;
        decoded += static_cast<int32_t>(r);
    }
    return decoded;
}

}  // namespace

int32_t DecodeOggEffect(const char16_t* path, uint8_t* data, int32_t* bytes) {
    *bytes = 0;
    std::FILE* file = FileOpenStream(path, "rb");
    if (file == nullptr)
        return kOggEffectCannotOpen;
    OggVorbis_File stream;
    if (ov_open(file, &stream, nullptr, 0) != 0) {
        std::fclose(file);
        return kOggEffectNotVorbis;
    }
    if (ov_info(&stream, -1) == nullptr) {
        ov_clear(&stream);
        return kOggEffectNoInfo;
    }
    *bytes = DecodeOgg(stream, data);
    ov_clear(&stream);  // closes the file too
    return kOggEffectDecoded;
}
