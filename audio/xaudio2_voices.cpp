// The voices on XAudio2: one source voice per voice. XAudio2's own model is the game's (a
// started voice plays whatever is queued; a stop pauses; the state query counts the buffers
// not yet played through), so each operation is one engine call. XAudio2 reads a buffer's
// bytes while it plays, so the voices keep copies: an effect voice its one sound, the music
// voice a ring of blocks, each reused only once the engine has played it.
// Effect voices are used by the main thread only, the music voice by the streaming thread
// (the main thread only sets its volume); each voice's record belongs to its one thread.
#include <cstring>

#include "audio/music_tracks.h"
#include "audio/voices.h"
#include "audio/xaudio2_local.h"

namespace {

constexpr int32_t kVoices = kMusicVoice + 1;
constexpr int32_t kBlockCopies = 4;  // two queued, one re-submitted on a track change, a spare
constexpr float kMaxFrequencyRatio = 2.0f;

struct Voice {
    IXAudio2SourceVoice* source;
    int32_t frameBytes;
    uint8_t* sound;  // the effect's own sound
    int32_t soundBytes;
    uint8_t* blocks;     // the music voice's block copies, kBlockCopies × kMusicBlockBytes
    uint32_t submitted;  // blocks submitted since the last flush
};

Voice theVoices[kVoices];

Voice* Find(int32_t voice) {
    if (voice < 0 || voice >= kVoices || theVoices[voice].source == nullptr)
        return nullptr;
    return &theVoices[voice];
}

bool Playable(const VoiceFormat& f) {
    if (f.channels != 1 && f.channels != 2)
        return false;
    if (f.blockAlign != f.channels * (f.bitsPerSample / 8) || f.samplesPerSecond == 0)
        return false;
    return (f.formatTag == WAVE_FORMAT_PCM && (f.bitsPerSample == 8 || f.bitsPerSample == 16)) ||
           (f.formatTag == WAVE_FORMAT_IEEE_FLOAT && f.bitsPerSample == 32);
}

uint32_t Queued(const Voice& v) {
    XAUDIO2_VOICE_STATE state{};
    v.source->GetState(&state, XAUDIO2_VOICE_NOSAMPLESPLAYED);
    return state.BuffersQueued;
}

bool Submit(Voice& v, const uint8_t* data, int32_t bytes) {
    XAUDIO2_BUFFER buffer{};
    buffer.AudioBytes = static_cast<UINT32>(bytes);
    buffer.pAudioData = data;
    buffer.PlayLength = static_cast<UINT32>(bytes / v.frameBytes);
    return SUCCEEDED(v.source->SubmitSourceBuffer(&buffer, nullptr));
}

}  // namespace

// Main thread (start-up).
bool CreateVoice(int32_t voice, const VoiceFormat& format) {
    IXAudio2* engine = TheAudioEngine();
    if (voice < 0 || voice >= kVoices || engine == nullptr || !Playable(format))
        return false;
    DestroyVoice(voice);
    WAVEFORMATEX wave{};
    wave.wFormatTag = format.formatTag;
    wave.nChannels = format.channels;
    wave.nSamplesPerSec = format.samplesPerSecond;
    wave.nAvgBytesPerSec = format.samplesPerSecond * format.blockAlign;
    wave.nBlockAlign = format.blockAlign;
    wave.wBitsPerSample = format.bitsPerSample;
    Voice& v = theVoices[voice];
    v = Voice{};
    if (FAILED(engine->CreateSourceVoice(&v.source, &wave, 0, kMaxFrequencyRatio, nullptr, nullptr,
                                         nullptr))) {
        v.source = nullptr;
        return false;
    }
    v.frameBytes = format.blockAlign;
    if (voice == kMusicVoice)
        v.blocks = new uint8_t[kBlockCopies * kMusicBlockBytes];
    return true;
}

// Main thread: at start-up for a voice made again, at shutdown after the streaming thread.
void DestroyVoice(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return;
    v->source->DestroyVoice();  // returns once the engine no longer reads its buffers
    delete[] v->sound;
    delete[] v->blocks;
    *v = Voice{};
}

void DestroyAllVoices() {
    for (int32_t voice = kVoices - 1; voice >= 0; --voice) DestroyVoice(voice);
}

// Main thread (start-up).
bool SetVoiceSound(int32_t voice, const uint8_t* data, int32_t bytes) {
    Voice* v = Find(voice);
    if (v == nullptr || bytes < v->frameBytes)
        return false;
    bytes -= bytes % v->frameBytes;
    delete[] v->sound;
    v->sound = new uint8_t[bytes];
    std::memcpy(v->sound, data, static_cast<size_t>(bytes));
    v->soundBytes = bytes;
    return true;
}

void StopVoice(int32_t voice) {
    if (Voice* v = Find(voice))
        v->source->Stop(0, XAUDIO2_COMMIT_NOW);
}

void FlushVoice(int32_t voice) {
    if (Voice* v = Find(voice)) {
        v->source->FlushSourceBuffers();
        v->submitted = 0;
    }
}

bool SubmitVoiceBuffer(int32_t voice) {
    Voice* v = Find(voice);
    return v != nullptr && v->sound != nullptr && Submit(*v, v->sound, v->soundBytes);
}

// The streaming thread.
bool SubmitVoiceBlock(int32_t voice, const uint8_t* data, int32_t bytes) {
    Voice* v = Find(voice);
    if (v == nullptr || v->blocks == nullptr || bytes < v->frameBytes || bytes > kMusicBlockBytes)
        return false;
    // Blocks are played in the order submitted: with fewer than kBlockCopies still queued,
    // the oldest copy has been played through and may be written again.
    if (Queued(*v) >= static_cast<uint32_t>(kBlockCopies))
        return false;
    uint8_t* copy = v->blocks + (v->submitted % kBlockCopies) * kMusicBlockBytes;
    std::memcpy(copy, data, static_cast<size_t>(bytes));
    if (!Submit(*v, copy, bytes - bytes % v->frameBytes))
        return false;
    ++v->submitted;
    return true;
}

void StartVoice(int32_t voice) {
    if (Voice* v = Find(voice))
        v->source->Start(0, XAUDIO2_COMMIT_NOW);
}

int32_t QueuedVoiceBuffers(int32_t voice) {
    Voice* v = Find(voice);
    return v != nullptr ? static_cast<int32_t>(Queued(*v)) : 0;
}

void SetVoiceVolume(int32_t voice, float volume) {
    if (Voice* v = Find(voice))
        v->source->SetVolume(volume, XAUDIO2_COMMIT_NOW);
}

float VoiceVolume(int32_t voice) {
    float value = 0.0f;
    if (Voice* v = Find(voice))
        v->source->GetVolume(&value);
    return value;
}

float VoiceFrequencyRatio(int32_t voice) {
    float value = 0.0f;
    if (Voice* v = Find(voice))
        v->source->GetFrequencyRatio(&value);
    return value;
}
