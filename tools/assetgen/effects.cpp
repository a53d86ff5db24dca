// Effects as layers of swept tones and filtered noise.
#include "tools/assetgen/effects.h"

#include <algorithm>
#include <cmath>

namespace {

enum class Wave { Sine, Square, Saw, Triangle, Fm, Noise };

// One layer: a tone gliding from hz to hzEnd (exponentially), or noise through a low-pass
// gliding the same way, with a sharp attack and an exponential fall.
struct Layer {
    Wave wave;
    float start;   // seconds
    float length;  // seconds
    float hz;
    float hzEnd;
    float gain;
    float decay = 6.0f;  // fall rate per second
    float pan = 0.0f;
    float width = 0.5f;  // square duty, or FM index
};

float Sample(const Layer& l, float phase, float dt, float t, Noise& noise, OnePole& filter) {
    switch (l.wave) {
        case Wave::Sine:
            return Sine(phase);
        case Wave::Square:
            return Square(phase, dt, l.width) * 0.5f;
        case Wave::Saw:
            return Saw(phase, dt) * 0.5f;
        case Wave::Triangle:
            return Triangle(phase);
        case Wave::Fm:
            return Sine(phase + l.width * std::exp(-t * 8.0f) * Sine(phase * 2.0f));
        case Wave::Noise:
            return filter.LowPass(noise.Next());
    }
    return 0;
}

void AddLayer(StereoBuffer& out, const Layer& l, uint32_t seed) {
    Noise noise(seed);
    OnePole filter;
    float phase = 0;
    int first = static_cast<int>(l.start * kRate);
    int frames = static_cast<int>(l.length * kRate);
    float gl = l.gain * std::sqrt(0.5f * (1 - l.pan)), gr = l.gain * std::sqrt(0.5f * (1 + l.pan));
    for (int i = 0; i < frames; ++i) {
        float t = static_cast<float>(i) / kRate;
        float u = t / l.length;
        float hz = l.hz * std::pow(l.hzEnd / l.hz, u);
        float dt = hz / kRate;
        if (l.wave == Wave::Noise)
            filter.SetCutoff(hz);
        float attack = std::min(1.0f, t / 0.003f);
        float tail = std::min(1.0f, (l.length - t) / 0.01f);  // no click at the end
        float e = attack * tail * std::exp(-l.decay * t);
        float s = Sample(l, phase, dt, t, noise, filter) * e;
        out.Add(first + i, s * gl, s * gr);
        phase += dt;
        phase -= std::floor(phase);
    }
}

// Notes one after another: an arpeggio of semitone steps above a root.
void Arpeggio(std::vector<Layer>& layers, Wave wave, float root, const std::vector<int>& steps,
              float gap, float length, float gain) {
    for (size_t k = 0; k < steps.size(); ++k) {
        float hz = root * std::pow(2.0f, steps[k] / 12.0f);
        layers.push_back({wave, gap * k, length, hz, hz, gain, 5.0f, k % 2 ? 0.3f : -0.3f, 0.8f});
    }
}

std::vector<Layer> Design(int n) {
    std::vector<Layer> L;
    switch (n) {
        case 0:  // accept, pause: two bright blips a fifth apart
            L = {{Wave::Square, 0.0f, 0.07f, 1318.5f, 1318.5f, 0.5f, 10, 0, 0.25f},
                 {Wave::Square, 0.06f, 0.12f, 1975.5f, 1975.5f, 0.5f, 14, 0, 0.25f}};
            break;
        case 1:
            L = {{Wave::Square, 0, 0.035f, 1100, 900, 0.45f, 40, 0, 0.5f}};
            break;  // move
        case 2:
            L = {{Wave::Fm, 0, 0.09f, 600, 1200, 0.6f, 18, 0, 1.5f}};
            break;  // turn
        case 3:
            L = {{Wave::Fm, 0, 0.09f, 1200, 600, 0.6f, 18, 0, 1.5f}};
            break;  // turn back
        case 4:     // lock: a low thump
            L = {{Wave::Sine, 0, 0.18f, 160, 55, 0.9f, 16},
                 {Wave::Noise, 0, 0.05f, 2500, 400, 0.5f, 40}};
            break;
        case 5:
            L = {{Wave::Triangle, 0, 0.03f, 700, 500, 0.5f, 50}};
            break;  // soft drop tick
        case 6:     // drop: whoosh and thump
            L = {{Wave::Noise, 0, 0.18f, 6000, 500, 0.6f, 8},
                 {Wave::Sine, 0.14f, 0.2f, 140, 50, 0.9f, 14}};
            break;
        case 7:
            Arpeggio(L, Wave::Square, 523.25f, {0, 4, 7, 12, 16}, 0.07f, 0.25f, 0.35f);
            break;  // level up
        case 8:
            Arpeggio(L, Wave::Triangle, 392.0f, {7, 3, 0, -5, -9}, 0.14f, 0.3f, 0.55f);
            break;  // game over
        case 9:     // cancel: two falling blips
            L = {{Wave::Square, 0, 0.07f, 988, 988, 0.45f, 12, 0, 0.25f},
                 {Wave::Square, 0.07f, 0.1f, 659, 659, 0.45f, 14, 0, 0.25f}};
            break;
        case 10:
            L = {{Wave::Sine, 0, 0.04f, 1800, 1500, 0.5f, 40}};
            break;  // cursor
        case 11:    // four rows: a rising fanfare over a shimmer
            Arpeggio(L, Wave::Square, 440.0f, {0, 4, 7, 12, 16, 19, 24}, 0.055f, 0.45f, 0.3f);
            L.push_back({Wave::Noise, 0, 0.8f, 9000, 3000, 0.25f, 3.5f});
            L.push_back({Wave::Fm, 0.35f, 0.5f, 1760, 1760, 0.35f, 5, 0, 2.0f});
            break;
        case 12:
            L = {{Wave::Saw, 0, 0.3f, 220, 880, 0.4f, 5}};
            break;  // rise
        case 13:
            L = {{Wave::Square, 0, 0.25f, 110, 100, 0.4f, 6, 0, 0.5f}};
            break;  // buzz
        case 14:    // rows cleared: a sweep up and a chime
            L = {{Wave::Noise, 0, 0.3f, 800, 9000, 0.45f, 6},
                 {Wave::Fm, 0.08f, 0.4f, 1318.5f, 1318.5f, 0.5f, 7, 0.2f, 1.8f},
                 {Wave::Fm, 0.14f, 0.4f, 1760, 1760, 0.4f, 7, -0.2f, 1.8f}};
            break;
        default: {
            // Effects 15..31: bells, zaps, chirps, pops and chords, each its own pitch.
            float root = 220.0f * std::pow(2.0f, ((n * 5) % 24) / 12.0f);
            switch (n % 5) {
                case 0:
                    L = {{Wave::Fm, 0, 0.6f, root * 2, root * 2, 0.6f, 5, 0, 2.5f}};
                    break;
                case 1:
                    L = {{Wave::Saw, 0, 0.2f, root * 8, root, 0.5f, 10}};
                    break;
                case 2:
                    L = {{Wave::Square, 0, 0.15f, root, root * 4, 0.45f, 8, 0, 0.3f}};
                    break;
                case 3:
                    L = {{Wave::Sine, 0, 0.08f, root * 3, root * 1.5f, 0.7f, 25},
                         {Wave::Noise, 0, 0.04f, 4000, 1500, 0.3f, 50}};
                    break;
                default:
                    Arpeggio(L, Wave::Triangle, root * 2, {0, 3 + n % 2, 7}, 0.0f, 0.5f, 0.35f);
                    break;
            }
        }
    }
    return L;
}

}  // namespace

StereoBuffer RenderEffect(int n) {
    std::vector<Layer> layers = Design(n);
    float end = 0;
    for (const Layer& l : layers) end = std::max(end, l.start + l.length);
    end = std::min(end, kLongestEffect);
    StereoBuffer out(static_cast<int>(end * kRate));
    uint32_t seed = 100u + static_cast<uint32_t>(n);
    for (const Layer& l : layers) AddLayer(out, l, seed++);
    out.Master(0.7f);
    return out;
}
