// The voices on OpenAL Soft: one source per voice with a buffer queue. An effect voice
// queues its one sound buffer; the music voice takes each block into one of a few buffers
// of its own, reclaimed once played. The game's voice model (a started voice keeps playing
// whatever is queued; a stop pauses; the queued count is what has not played yet) is kept
// on top of OpenAL's source states here, so the game's code stays the same on every mixer.
// Effect voices are used by the main thread only, the music voice by the streaming thread
// (the main thread only sets its gain); each voice's record belongs to its one thread.
#include <AL/al.h>
#include <AL/alext.h>

#include "audio/openal_loopback.h"
#include "audio/voices.h"

namespace {

constexpr int32_t kVoices = kMusicVoice + 1;
constexpr int32_t kBlockBuffers = 4;  // two queued, one re-submitted on a track change, one spare

struct Voice {
    bool exists;
    bool started;  // between a start and the next stop, as the game's voices count it
    ALuint source;
    ALenum format;
    ALsizei rate;
    int32_t frameBytes;
    ALuint sound;  // the effect's own buffer
    ALuint blocks[kBlockBuffers];
    ALuint freeBlocks[kBlockBuffers];
    int32_t freeCount;
};

Voice theVoices[kVoices];

Voice* Find(int32_t voice) {
    if (voice < 0 || voice >= kVoices || !theVoices[voice].exists)
        return nullptr;
    return &theVoices[voice];
}

ALenum AlFormat(const VoiceFormat& f) {
    if (f.channels != 1 && f.channels != 2)
        return AL_NONE;
    if (f.blockAlign != f.channels * (f.bitsPerSample / 8) || f.samplesPerSecond == 0)
        return AL_NONE;
    const bool stereo = f.channels == 2;
    if (f.formatTag == 1 && f.bitsPerSample == 8)
        return stereo ? AL_FORMAT_STEREO8 : AL_FORMAT_MONO8;
    if (f.formatTag == 1 && f.bitsPerSample == 16)
        return stereo ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    if (f.formatTag == 3 && f.bitsPerSample == 32 && alIsExtensionPresent("AL_EXT_FLOAT32"))
        return stereo ? AL_FORMAT_STEREO_FLOAT32 : AL_FORMAT_MONO_FLOAT32;
    return AL_NONE;
}

ALint SourceInt(const Voice& v, ALenum what) {
    ALint value = 0;
    alGetSourcei(v.source, what, &value);
    return value;
}

void ResetFreeBlocks(Voice& v) {
    for (int32_t k = 0; k < kBlockBuffers; ++k) v.freeBlocks[k] = v.blocks[k];
    v.freeCount = kBlockBuffers;
}

// Takes the played buffers off the queue so the blocks among them can be filled again.
void Reclaim(Voice& v) {
    ALint processed = SourceInt(v, AL_BUFFERS_PROCESSED);
    while (processed > 0) {
        ALuint ids[kBlockBuffers + 1];
        ALsizei n = processed < kBlockBuffers + 1 ? processed : kBlockBuffers + 1;
        alSourceUnqueueBuffers(v.source, n, ids);
        for (ALsizei k = 0; k < n; ++k) {
            if (ids[k] != v.sound && v.freeCount < kBlockBuffers)
                v.freeBlocks[v.freeCount++] = ids[k];
        }
        processed -= n;
    }
}

// A source that has played out counts every buffer queued on it as played, new ones too;
// rewound to its initial state it counts them as waiting, as the game expects.
void MakeReady(Voice& v) {
    if (SourceInt(v, AL_SOURCE_STATE) == AL_STOPPED) {
        Reclaim(v);
        alSourceRewind(v.source);
    }
}

// Queues one buffer; a started voice that had run dry plays it at once.
bool Queue(Voice& v, ALuint buffer) {
    MakeReady(v);
    Reclaim(v);
    const ALint before = SourceInt(v, AL_BUFFERS_QUEUED);
    alSourceQueueBuffers(v.source, 1, &buffer);
    if (SourceInt(v, AL_BUFFERS_QUEUED) != before + 1)
        return false;
    if (v.started && SourceInt(v, AL_SOURCE_STATE) == AL_INITIAL)
        alSourcePlay(v.source);
    return true;
}

void SetUpSource(ALuint source) {
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    alSource3f(source, AL_POSITION, 0.0f, 0.0f, 0.0f);
    alSourcef(source, AL_ROLLOFF_FACTOR, 0.0f);
    // Stereo sounds go to the left and right outputs as they are, as the game's mixer does.
    if (alIsExtensionPresent("AL_SOFT_direct_channels"))
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
}

}  // namespace

// Main thread (start-up).
bool CreateVoice(int32_t voice, const VoiceFormat& format) {
    if (voice < 0 || voice >= kVoices)
        return false;
    DestroyVoice(voice);
    const ALenum alFormat = AlFormat(format);
    if (alFormat == AL_NONE)
        return false;
    Voice& v = theVoices[voice];
    v = Voice{};
    (void)alGetError();
    alGenSources(1, &v.source);
    if (alGetError() != AL_NO_ERROR)
        return false;
    alGenBuffers(1, &v.sound);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteSources(1, &v.source);
        v = Voice{};
        return false;
    }
    alGenBuffers(theVoiceOutputFaults.failBlockBuffers ? -1 : kBlockBuffers, v.blocks);
    if (alGetError() != AL_NO_ERROR) {
        // Each generation is checked on its own: the sound buffer made before goes too.
        alDeleteBuffers(1, &v.sound);
        alDeleteSources(1, &v.source);
        v = Voice{};
        return false;
    }
    SetUpSource(v.source);
    v.format = alFormat;
    v.rate = static_cast<ALsizei>(format.samplesPerSecond);
    v.frameBytes = format.blockAlign;
    ResetFreeBlocks(v);
    v.exists = true;
    return true;
}

// Main thread: at start-up for a voice made again, at shutdown after the streaming thread.
void DestroyVoice(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return;
    alSourceStop(v->source);
    alSourcei(v->source, AL_BUFFER, 0);
    alDeleteSources(1, &v->source);
    alDeleteBuffers(1, &v->sound);
    alDeleteBuffers(kBlockBuffers, v->blocks);
    *v = Voice{};
}

// Main thread (start-up).
bool SetVoiceSound(int32_t voice, const uint8_t* data, int32_t bytes) {
    Voice* v = Find(voice);
    if (v == nullptr || bytes < v->frameBytes)
        return false;
    (void)alGetError();
    alBufferData(v->sound, v->format, data, bytes - bytes % v->frameBytes, v->rate);
    return alGetError() == AL_NO_ERROR;
}

void StopVoice(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return;
    v->started = false;
    if (SourceInt(*v, AL_SOURCE_STATE) == AL_PLAYING)
        alSourcePause(v->source);
}

void FlushVoice(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return;
    alSourceStop(v->source);
    alSourcei(v->source, AL_BUFFER, 0);
    alSourceRewind(v->source);
    ResetFreeBlocks(*v);
}

bool SubmitVoiceBuffer(int32_t voice) {
    Voice* v = Find(voice);
    return v != nullptr && Queue(*v, v->sound);
}

// The streaming thread.
bool SubmitVoiceBlock(int32_t voice, const uint8_t* data, int32_t bytes) {
    Voice* v = Find(voice);
    if (v == nullptr || bytes < v->frameBytes)
        return false;
    MakeReady(*v);
    Reclaim(*v);
    if (v->freeCount == 0)
        return false;
    const ALuint buffer = v->freeBlocks[--v->freeCount];
    alBufferData(buffer, v->format, data, bytes - bytes % v->frameBytes, v->rate);
    if (Queue(*v, buffer))
        return true;
    v->freeBlocks[v->freeCount++] = buffer;
    return false;
}

void StartVoice(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return;
    v->started = true;
    MakeReady(*v);
    const ALint state = SourceInt(*v, AL_SOURCE_STATE);
    if (state != AL_PLAYING && SourceInt(*v, AL_BUFFERS_QUEUED) > 0)
        alSourcePlay(v->source);
}

int32_t QueuedVoiceBuffers(int32_t voice) {
    Voice* v = Find(voice);
    if (v == nullptr)
        return 0;
    return SourceInt(*v, AL_BUFFERS_QUEUED) - SourceInt(*v, AL_BUFFERS_PROCESSED);
}

void SetVoiceVolume(int32_t voice, float volume) {
    if (Voice* v = Find(voice))
        alSourcef(v->source, AL_GAIN, volume);
}

float VoiceVolume(int32_t voice) {
    float value = 0.0f;
    if (Voice* v = Find(voice))
        alGetSourcef(v->source, AL_GAIN, &value);
    return value;
}

float VoiceFrequencyRatio(int32_t voice) {
    float value = 0.0f;
    if (Voice* v = Find(voice))
        alGetSourcef(v->source, AL_PITCH, &value);
    return value;
}
