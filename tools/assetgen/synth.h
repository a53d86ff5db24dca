// A small synthesiser for the game's effects and music: oscillators, envelopes, noise and
// filters, and a stereo buffer that can wrap its loop region round, so that whatever rings
// past the loop's end sounds again at its start and the loop repeats without a seam.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kRate = 44100;

class StereoBuffer {
public:
    explicit StereoBuffer(int frames);
    std::vector<float> left;
    std::vector<float> right;
    int loopStart = 0;
    int loopEnd = 0;  // 0: no wrapping; samples past the end are dropped

    int Frames() const { return static_cast<int>(left.size()); }
    // Adds one frame at position at, wrapped into the loop region when it lies past its end.
    void Add(int at, float l, float r);
    // Scales everything so the loudest sample reaches peak, after a gentle saturation.
    void Master(float peak);
    // Little-endian 16-bit stereo PCM, 4 bytes a frame.
    std::vector<int16_t> Pcm() const;
};

// White noise from a fixed-seed generator: the same sequence on every run.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed) {}
    float Next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(static_cast<int32_t>(state)) / 2147483648.0f;
    }

private:
    uint32_t state;
};

// One-pole filters; coefficient from a cutoff in hertz.
class OnePole {
public:
    void SetCutoff(float hz);
    float LowPass(float x);
    float HighPass(float x) { return x - LowPass(x); }

private:
    float a = 1;
    float y = 0;
};

// Attack, decay, sustain level and release, in seconds; gate is how long the key is held.
struct Envelope {
    float attack = 0.005f;
    float decay = 0.1f;
    float sustain = 0.7f;
    float release = 0.1f;
    float At(float t, float gate) const;
    float Length(float gate) const { return gate + release; }
};

float NoteHz(int midi);   // A4 = 69 = 440 Hz
float Sine(float phase);  // phase in turns
// Band-limited square and saw (polyBLEP), phase in turns, dt = hz / rate.
float Square(float phase, float dt, float width = 0.5f);
float Saw(float phase, float dt);
float Triangle(float phase);
