// The audio tests' rig: a Game whose CXa2 plays through OpenAL Soft's loopback output, so
// what the voices play is rendered into memory at 44100 Hz, 16-bit stereo, on demand.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/unit/temp_folder.h"

class CXa2;
class System;

// One stereo frame of 16-bit samples.
struct Frame {
    int16_t left;
    int16_t right;
    bool operator==(const Frame& o) const { return left == o.left && right == o.right; }
};

// A 16-bit stereo WAVE file of these frames (PCM, 44100 Hz unless another rate is given).
[[nodiscard]] std::vector<uint8_t> StereoWave(const std::vector<Frame>& frames,
                                              uint32_t rate = 44100);

class LoopbackAudio {
public:
    // Sound mode 1 (WAVE) or 2 (Ogg Vorbis); both volumes at full scale.
    explicit LoopbackAudio(int32_t audioMode);
    ~LoopbackAudio();
    LoopbackAudio(const LoopbackAudio&) = delete;
    LoopbackAudio& operator=(const LoopbackAudio&) = delete;

    CXa2& audio;
    System& system;
    TempFolder folder;

    // The next count frames of the mix.
    [[nodiscard]] std::vector<Frame> Render(int32_t count);

    // Writes name into the folder (unless bytes is empty: the file is there) and loads it as effect
    // n of the sound mode.
    [[nodiscard]] bool LoadEffect(const std::string& name, const std::vector<uint8_t>& bytes,
                                  int32_t n);

    // Writes name as for an effect, opens it as a WAVE music track (mode 1) or an Ogg Vorbis one
    // (mode 2) as track n with these loop points, fitted as start-up fits them, then makes the
    // music voice.
    [[nodiscard]] bool OpenTrack(const std::string& name, const std::vector<uint8_t>& bytes,
                                 int32_t n, uint32_t loopStart, uint32_t loopLength);
};

// True when every frame is silent.
[[nodiscard]] bool Silent(const std::vector<Frame>& frames);
