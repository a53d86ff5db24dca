// Synthesis primitives.
#include "tools/assetgen/synth.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kTwoPi = 6.28318530717958647692f;

float Blep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

}  // namespace

StereoBuffer::StereoBuffer(int frames) : left(frames, 0.0f), right(frames, 0.0f) {}

void StereoBuffer::Add(int at, float l, float r) {
    if (at < 0)
        return;
    if (loopEnd > loopStart && at >= loopEnd)
        at = loopStart + (at - loopStart) % (loopEnd - loopStart);
    if (at >= Frames())
        return;
    left[at] += l;
    right[at] += r;
}

void StereoBuffer::Master(float peak) {
    float loudest = 1e-9f;
    for (int i = 0; i < Frames(); ++i) {
        // A soft knee above 0.6 keeps drum hits from deciding the whole level.
        for (float* s : {&left[i], &right[i]}) {
            float a = std::fabs(*s);
            if (a > 0.6f)
                *s = std::copysign(0.6f + 0.4f * std::tanh((a - 0.6f) / 0.4f), *s);
            loudest = std::max(loudest, std::fabs(*s));
        }
    }
    float k = peak / loudest;
    for (int i = 0; i < Frames(); ++i) {
        left[i] *= k;
        right[i] *= k;
    }
}

std::vector<int16_t> StereoBuffer::Pcm() const {
    std::vector<int16_t> out(2 * left.size());
    auto q = [](float v) {
        return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
    };
    for (size_t i = 0; i < left.size(); ++i) {
        out[2 * i] = q(left[i]);
        out[2 * i + 1] = q(right[i]);
    }
    return out;
}

void OnePole::SetCutoff(float hz) {
    a = 1.0f - std::exp(-kTwoPi * std::min(hz, kRate * 0.45f) / kRate);
}

float OnePole::LowPass(float x) {
    y += a * (x - y);
    return y;
}

float Envelope::At(float t, float gate) const {
    if (t < 0)
        return 0;
    auto held = [this](float u) {
        if (u < attack)
            return u / attack;
        u -= attack;
        if (u < decay)
            return 1.0f - (1.0f - sustain) * (u / decay);
        return sustain;
    };
    if (t < gate)
        return held(t);
    float fall = (t - gate) / release;
    return fall >= 1.0f ? 0.0f : held(gate) * (1.0f - fall) * (1.0f - fall);
}

float NoteHz(int midi) {
    return 440.0f * std::pow(2.0f, (midi - 69) / 12.0f);
}

float Sine(float phase) {
    return std::sin(kTwoPi * phase);
}

float Square(float phase, float dt, float width) {
    float v = phase < width ? 1.0f : -1.0f;
    v += Blep(phase, dt);
    float shifted = phase - width;
    if (shifted < 0)
        shifted += 1.0f;
    v -= Blep(shifted, dt);
    return v;
}

float Saw(float phase, float dt) {
    return 2.0f * phase - 1.0f - Blep(phase, dt);
}

float Triangle(float phase) {
    return 4.0f * std::fabs(phase - 0.5f) - 1.0f;
}
