// No voices: an output that is never there, so the game takes its silent path, nothing is
// ever queued and nothing plays. Headless tools that want no sound link it.
#include "audio/voices.h"

int32_t OpenVoiceOutput() {
    return kVoiceOutputNoDevice;
}
void CloseVoiceOutput() {}
bool CreateVoice(int32_t, const VoiceFormat&) {
    return false;
}
void DestroyVoice(int32_t) {}
bool SetVoiceSound(int32_t, const uint8_t*, int32_t) {
    return false;
}
void StopVoice(int32_t) {}
void FlushVoice(int32_t) {}
bool SubmitVoiceBuffer(int32_t) {
    return false;
}
bool SubmitVoiceBlock(int32_t, const uint8_t*, int32_t) {
    return false;
}
void StartVoice(int32_t) {}
int32_t QueuedVoiceBuffers(int32_t) {
    return 0;
}
void SetVoiceVolume(int32_t, float) {}
float VoiceVolume(int32_t) {
    return 0.0f;
}
float VoiceFrequencyRatio(int32_t) {
    return 0.0f;
}
