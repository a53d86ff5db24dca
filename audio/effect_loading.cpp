// Loading the 32 effects at start-up, each into its own voice with one buffer holding the
// whole sound: from a WAVE file (sound mode 1, at most one second) or an Ogg Vorbis file
// (mode 2, at most 529,200 bytes). Main thread.
#include <vorbis/vorbisfile.h>

#include <cstdio>

#include "assets/wave_stream.h"
#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

constexpr int32_t kOggEffectBytes = 529200;  // three seconds of 16-bit stereo at 44100 Hz
constexpr int32_t kOggSecondBytes = 176400;

bool IsEffect(int32_t n) {
    return n >= 0 && n < kEffects;
}

// Gives the voice its sound and queues it, then takes the voice's volume and ratio as the
// output holds them and sets the effect volume.
bool ArmEffect(CXa2& audio, int32_t n, uint32_t bytes, uint32_t limit, uint16_t blockAlign) {
    EffectBuffer& b = audio.effectBuffers[n];
    b = EffectBuffer{};
    b.flags = bytes < limit ? kEndOfStream : 0;
    b.audioBytes = bytes;
    b.data = audio.effectData[n];
    b.playLength = bytes / blockAlign;
    if (!SetVoiceSound(n, b.data, static_cast<int32_t>(b.playLength * blockAlign)))
        return false;
    if (!SubmitVoiceBuffer(n))
        return false;
    audio.effectVolumes[n] = VoiceVolume(n);
    audio.effectRatios[n] = VoiceFrequencyRatio(n);
    SetVoiceVolume(n, static_cast<float>(audio.settings->seVolume) * 0.0001f);
    return true;
}

// Reads the first second of the data chunk into effect n's data. Only the data chunk is
// read: a short chunk ends the sound there, and the chunks after it are never played.
bool ReadWaveEffect(CXa2& audio, WaveStream& s, int32_t n) {
    const WaveFormat f = FormatOf(s);
    (void)CreateVoice(
        n, VoiceFormat{f.formatTag, f.channels, f.samplesPerSecond, f.blockAlign, f.bitsPerSample});
    const uint32_t size = f.averageBytesPerSecond & ~3u;
    // The area never needs more than the chunk holds, whatever rate the header claims.
    const uint32_t area = size < s.data.size ? size : s.data.size;
    if (area == 0 || f.blockAlign == 0)
        return false;
    delete[] audio.effectData[n];
    audio.effectData[n] = new uint8_t[area];
    const uint32_t bytes = ReadWaveAvailable(&s, area, audio.effectData[n]);
    if (bytes == 0)
        return false;
    return ArmEffect(audio, n, bytes, size, f.blockAlign);
}

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

bool CXa2::LoadWaveEffect(const char16_t* path, int32_t n) {
    if (!SoundIsOn(*settings) || !IsEffect(n))
        return false;
    WaveStream s;
    if (OpenWave(path, &s) != kWaveOk || RewindWave(&s) != kWaveOk) {
        ShowMessage(u"Error", u"Waveファイルのオープンに失敗");
        CloseWave(&s);
        return false;
    }
    const bool loaded = ReadWaveEffect(*this, s, n);
    CloseWave(&s);
    return loaded;
}

bool CXa2::LoadOggEffect(const char16_t* path, int32_t n) {
    if (!SoundIsOn(*settings) || !IsEffect(n))
        return false;
    (void)CreateVoice(n, kStereo16Format);
    delete[] effectData[n];
    effectData[n] = new uint8_t[kOggEffectBytes];
    std::FILE* file = FileOpenStream(path, "rb");
    if (file == nullptr)
        return false;
    OggVorbis_File stream;
    if (ov_open(file, &stream, nullptr, 0) != 0) {
        std::fprintf(stderr, "Input does not appear to be an Ogg bitstream.\n");
        std::fclose(file);
        return false;
    }
    if (ov_info(&stream, -1) == nullptr) {
        std::fprintf(stderr, "Get Info Error\n");
        ov_clear(&stream);
        return false;
    }
    const int32_t bytes = DecodeOgg(stream, effectData[n]);
    ov_clear(&stream);  // closes the file too
    if (bytes <= 0)
        return false;
    return ArmEffect(*this, n, static_cast<uint32_t>(bytes), kOggSecondBytes, 4);
}
