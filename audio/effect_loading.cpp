// Loading the 32 effects at start-up, each into its own voice with one buffer holding the
// whole sound: from a WAVE file (sound mode 1, at most one second) or an Ogg Vorbis file
// (mode 2, at most 529,200 bytes). Main thread.
#include <cstdio>

#include "assets/wave_stream.h"
#include "audio/audio.h"
#include "audio/effect_prefetch.h"
#include "audio/ogg_effect.h"
#include "audio/voices.h"
#include "game/system.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

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
    int32_t bytes = 0;
    effectData[n] = TakePreparedEffect(path, n, &bytes);
    if (effectData[n] == nullptr) {
        effectData[n] = new uint8_t[kOggEffectBytes];
        switch (DecodeOggEffect(path, effectData[n], &bytes)) {
            case kOggEffectDecoded:
                break;
            case kOggEffectNotVorbis:
                std::fprintf(stderr, "Input does not appear to be an Ogg bitstream.\n");
                return false;
            case kOggEffectNoInfo:
                std::fprintf(stderr, "Get Info Error\n");
                return false;
            default:
                return false;  // the file does not open: no word of it
        }
    }
    if (bytes <= 0)
        return false;
    return ArmEffect(*this, n, static_cast<uint32_t>(bytes), kOggSecondBytes, 4);
}
