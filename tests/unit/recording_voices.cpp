// The recording voice backend.
#include "tests/unit/recording_voices.h"

#include <cstdio>

#include "audio/voices.h"

namespace {

constexpr int kVoices = kEffectVoices + 1;
std::string calls;
int32_t queued[kVoices] = {};
float volumes[kVoices] = {};
int32_t outputResult = kVoiceOutputReady;

void Record(const char* op, int32_t voice) {
    calls += op;
    calls += " " + std::to_string(voice) + " ";
}

bool Valid(int32_t voice) {
    return voice >= 0 && voice < kVoices;
}

}  // namespace

void ResetRecordedVoices() {
    calls.clear();
    for (int32_t& q : queued) q = 0;
    for (float& v : volumes) v = -1.0f;
    outputResult = kVoiceOutputReady;
}

void SetRecordedOutputResult(int32_t result) {
    outputResult = result;
}

std::string RecordedVoiceCalls() {
    std::string text = calls;
    if (!text.empty())
        text.pop_back();
    return text;
}

void SetQueuedVoiceBuffers(int32_t voice, int32_t count) {
    if (Valid(voice))
        queued[voice] = count;
}

float RecordedVoiceVolume(int32_t voice) {
    return Valid(voice) ? volumes[voice] : -1.0f;
}

void StopVoice(int32_t voice) {
    Record("stop", voice);
}
void FlushVoice(int32_t voice) {
    Record("flush", voice);
}
bool SubmitVoiceBuffer(int32_t voice) {
    Record("submit", voice);
    return true;
}
void StartVoice(int32_t voice) {
    Record("start", voice);
}
int32_t QueuedVoiceBuffers(int32_t voice) {
    return Valid(voice) ? queued[voice] : 0;
}
void SetVoiceVolume(int32_t voice, float volume) {
    char text[48];
    std::snprintf(text, sizeof text, "volume %d=%g ", voice, static_cast<double>(volume));
    calls += text;
    if (Valid(voice))
        volumes[voice] = volume;
}

// The output is always there; voices take any format and any sound.
int32_t OpenVoiceOutput() {
    calls += "open ";
    return outputResult;
}
void CloseVoiceOutput() {
    calls += "close ";
}
bool CreateVoice(int32_t voice, const VoiceFormat&) {
    Record("create", voice);
    return true;
}
void DestroyVoice(int32_t voice) {
    Record("destroy", voice);
}
bool SetVoiceSound(int32_t voice, const uint8_t*, int32_t bytes) {
    Record("sound", voice);
    return bytes > 0;
}
bool SubmitVoiceBlock(int32_t voice, const uint8_t*, int32_t) {
    Record("block", voice);
    return true;
}
float VoiceVolume(int32_t) {
    return 1.0f;
}
float VoiceFrequencyRatio(int32_t) {
    return 1.0f;
}
