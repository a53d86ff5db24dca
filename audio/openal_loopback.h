// The OpenAL Soft output's test seams: the loopback output, through which the mix is
// rendered into memory as many frames at a time as the caller asks, and forced failures.
#pragma once

#include <cstdint>

// Makes the next OpenVoiceOutput open a loopback device: 16-bit stereo at sampleRate, with
// no output limiter. False when this OpenAL has no loopback devices.
[[nodiscard]] bool UseLoopbackOutput(int32_t sampleRate);

// Mixes the next frames of the open loopback output into frames (interleaved left, right).
// False when no loopback output is open.
[[nodiscard]] bool RenderLoopback(int16_t* frames, int32_t count);

// Test seam for the output's failures: no device at all (the game runs silent), a device
// whose context cannot be made (start-up fails), or voices whose block buffers cannot be
// made (each voice creation fails). Off by default.
struct VoiceOutputFaults {
    bool noDevice = false;
    bool failContext = false;
    bool failBlockBuffers = false;
};
extern VoiceOutputFaults theVoiceOutputFaults;
