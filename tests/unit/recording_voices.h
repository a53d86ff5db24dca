// A voice backend for the tests: it records every call and answers queued-buffer counts
// from a table the test sets.
#pragma once

#include <cstdint>
#include <string>

// Forgets the calls, the volumes and the queued counts.
void ResetRecordedVoices();

// The calls since the last reset, "stop 3 flush 3 submit 3 start 3 volume 32=0.5 ...".
[[nodiscard]] std::string RecordedVoiceCalls();

// What QueuedVoiceBuffers answers for this voice from now on (0 until set).
void SetQueuedVoiceBuffers(int32_t voice, int32_t count);

// The volume last set on the voice, -1 when none was.
[[nodiscard]] float RecordedVoiceVolume(int32_t voice);

// What OpenVoiceOutput answers from now on (kVoiceOutputReady until set; reset by
// ResetRecordedVoices).
void SetRecordedOutputResult(int32_t result);
