// No voices: nothing is ever queued and nothing plays. The game runs on this until the real
// mixer is built in, and headless tools that want no sound link it.
#include "audio/voices.h"

void StopVoice(int32_t) {}
void FlushVoice(int32_t) {}
bool SubmitVoiceBuffer(int32_t) {
    return false;
}
void StartVoice(int32_t) {}
int32_t QueuedVoiceBuffers(int32_t) {
    return 0;
}
void SetVoiceVolume(int32_t, float) {}
