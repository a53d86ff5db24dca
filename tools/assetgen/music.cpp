// The instruments and the song renderer.
#include "tools/assetgen/music.h"

#include <cmath>
#include <cstdlib>
#include <sstream>

namespace {

struct Voice {
    Instrument instrument;
    float hz;
    float gate;  // seconds held
    float velocity;
};

// The gain of intro sound left frames before the loop: 1, falling to 0 over the last 256.
float IntroFade(int left) {
    return left <= 0 ? 0.0f : left >= 256 ? 1.0f : left / 256.0f;
}

float Seconds(int frames) {
    return static_cast<float>(frames) / kRate;
}

Envelope EnvelopeOf(Instrument instrument) {
    switch (instrument) {
        case Instrument::Lead:
            return {0.006f, 0.18f, 0.55f, 0.12f};
        case Instrument::Bass:
            return {0.003f, 0.16f, 0.45f, 0.05f};
        case Instrument::Pad:
            return {0.25f, 0.6f, 0.7f, 0.5f};
        case Instrument::Arp:
            return {0.002f, 0.09f, 0.0f, 0.06f};
        case Instrument::Bell:
            return {0.002f, 0.9f, 0.0f, 0.4f};
        case Instrument::Drone:
            return {1.2f, 1.0f, 0.8f, 1.5f};
        case Instrument::Kick:
            return {0.001f, 0.28f, 0.0f, 0.02f};
        case Instrument::Snare:
            return {0.001f, 0.16f, 0.0f, 0.03f};
        case Instrument::Hat:
            return {0.001f, 0.035f, 0.0f, 0.01f};
        case Instrument::OpenHat:
            return {0.001f, 0.22f, 0.0f, 0.05f};
    }
    return {};
}

// Drums, arpeggios and bells ring out by themselves; the rest are held for their note.
bool RingsOut(Instrument instrument) {
    return instrument >= Instrument::Kick || instrument == Instrument::Arp ||
           instrument == Instrument::Bell;
}

// One sounding note: its oscillators' phases and filters, stepped a sample at a time.
class Oscillator {
public:
    Oscillator(const Voice& v, uint32_t seed) : voice(v), dt(v.hz / kRate), noise(seed) {
        bool snare = v.instrument == Instrument::Snare;
        tone.SetCutoff(snare ? 5000.0f : 9000.0f);
        tone2.SetCutoff(snare ? 300.0f : 6000.0f);
    }

    float Next(float t) {
        float s = Sample(t);
        Wrap(phase);
        Wrap(phase2);
        Wrap(phase3);
        return s;
    }

private:
    static void Wrap(float& p) {
        if (p >= 1)
            p -= std::floor(p);
    }

    float Sample(float t) {
        switch (voice.instrument) {
            case Instrument::Lead: {
                // FM: a bright attack mellowing as the index falls, and a late vibrato.
                float index = 1.2f * std::exp(-t * 6.0f) + 0.35f;
                float step = dt * (1 + (t > 0.18f ? 0.004f * Sine(5.5f * t) : 0.0f));
                float s = Sine(phase + index * Sine(phase2) / 6.2832f) * 0.8f +
                          0.2f * Square(phase3, dt, 0.25f);
                phase += step;
                phase2 += 2 * step;
                phase3 += step;
                return s;
            }
            case Instrument::Bass: {
                tone.SetCutoff(300.0f + 2200.0f * std::exp(-t * 18.0f));
                float s = tone.LowPass(Saw(phase, dt)) * 1.3f + 0.5f * Sine(phase);
                phase += dt;
                return s;
            }
            case Instrument::Pad: {
                // Three detuned saws, softened.
                float a = Saw(phase, dt) + Saw(phase2, dt * 1.006f) + Saw(phase3, dt * 0.994f);
                tone.SetCutoff(1400.0f);
                phase += dt;
                phase2 += dt * 1.006f;
                phase3 += dt * 0.994f;
                return tone2.LowPass(tone.LowPass(a)) * 0.5f;
            }
            default:
                return StruckSample(t);
        }
    }

    float StruckSample(float t) {
        float s = 0;
        switch (voice.instrument) {
            case Instrument::Arp:
                s = Square(phase, dt, 0.3f) * 0.6f;
                break;
            case Instrument::Bell:
                s = Sine(phase + 0.9f * std::exp(-t * 3.0f) * Sine(phase2) / 6.2832f);
                phase2 += 3.5f * dt;
                break;
            case Instrument::Drone:
                s = Triangle(phase) * 0.6f + 0.4f * Sine(phase2);
                phase2 += dt * 2.003f;
                break;
            case Instrument::Kick: {
                // A sine falling from 155 Hz to 45 Hz, with a click of noise at the start.
                s = Sine(phase) + (t < 0.0018f ? 0.4f * noise.Next() : 0.0f);
                phase += (45.0f + 110.0f * std::exp(-t * 30.0f)) / kRate;
                return s;
            }
            case Instrument::Snare:
                s = 0.9f * tone2.HighPass(tone.LowPass(noise.Next())) +
                    0.45f * Sine(phase) * std::exp(-t * 30.0f);
                phase += 185.0f / kRate;
                return s;
            default:
                return 0.6f * tone2.HighPass(noise.Next());  // the hats
        }
        phase += dt;
        return s;
    }

    Voice voice;
    float dt;
    Noise noise;
    OnePole tone, tone2;
    float phase = 0, phase2 = 0, phase3 = 0;
};

// Renders one note as mono samples (the part pans it).
std::vector<float> RenderVoice(const Voice& v, uint32_t seed) {
    Envelope env = EnvelopeOf(v.instrument);
    float gate = RingsOut(v.instrument) ? env.attack + env.decay : v.gate;
    int frames = static_cast<int>(env.Length(gate) * kRate) + 1;
    std::vector<float> out(frames);
    Oscillator osc(v, seed);
    for (int i = 0; i < frames; ++i) {
        float t = Seconds(i);
        out[i] = osc.Next(t) * env.At(t, gate) * v.velocity;
    }
    return out;
}

// Note names: C D E F G A B, an optional # or b, an octave digit.
int ParseNote(const std::string& name) {
    static const int kSemitones[7] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G
    int n = kSemitones[name[0] - 'A'];
    size_t at = 1;
    if (name[at] == '#')
        ++n, ++at;
    else if (name[at] == 'b')
        --n, ++at;
    return n + 12 * (name[at] - '0' + 1);
}

std::vector<int> ParseChord(const std::string& chord) {
    std::vector<int> notes;
    std::istringstream in(chord);
    std::string name;
    while (in >> name) notes.push_back(ParseNote(name));
    return notes;
}

}  // namespace

int AddMelody(Part& part, int bar, const std::string& text, float velocity) {
    std::istringstream in(text);
    std::string token;
    int at = bar * 16;
    while (in >> token) {
        size_t colon = token.find(':');
        int length = std::atoi(token.c_str() + colon + 1);
        if (token[0] != '-')
            part.notes.push_back({at, length, ParseNote(token.substr(0, colon)), velocity});
        at += length;
    }
    return (at + 15) / 16;
}

int AddPattern(Part& part, int bar, const std::vector<std::string>& chords,
               const std::string& steps, int stepLength, float velocity) {
    for (const std::string& chord : chords) {
        std::vector<int> notes = ParseChord(chord);
        int at = bar * 16;
        for (char c : steps) {
            if (c == ' ')
                continue;
            if (c >= '0' && c <= '9' && static_cast<size_t>(c - '0') < notes.size())
                part.notes.push_back({at, stepLength, notes[c - '0'], velocity});
            at += stepLength;
        }
        ++bar;
    }
    return bar;
}

int AddChords(Part& part, int bar, const std::vector<std::string>& chords, float velocity) {
    for (const std::string& chord : chords) {
        for (int midi : ParseChord(chord)) part.notes.push_back({bar * 16, 16, midi, velocity});
        ++bar;
    }
    return bar;
}

int AddDrums(Part& part, int bar, const std::string& hits, int repeatBars) {
    for (int r = 0; r < repeatBars; ++r) {
        int at = (bar + r * static_cast<int>(hits.size() / 16)) * 16;
        for (char c : hits) {
            if (c == 'x' || c == 'o')
                part.notes.push_back({at, 1, 60, c == 'x' ? 1.0f : 0.55f});
            ++at;
        }
    }
    return bar + repeatBars * static_cast<int>(hits.size() / 16);
}

StereoBuffer RenderSong(const Song& song) {
    StereoBuffer buffer(song.LoopStart() + song.LoopLength());
    buffer.loopStart = song.LoopStart();
    buffer.loopEnd = song.LoopStart() + song.LoopLength();
    uint32_t seed = 1;
    for (const Part& part : song.parts) {
        float gl = part.gain * std::sqrt(0.5f * (1 - part.pan));
        float gr = part.gain * std::sqrt(0.5f * (1 + part.pan));
        // Echo taps three sixteenths and six sixteenths late, the second one quieter and
        // on the other side; they wrap like everything else.
        int delay = 3 * song.framesPerStep;
        for (const Note& note : part.notes) {
            Voice v = {part.instrument, NoteHz(note.midi),
                       Seconds(note.length * song.framesPerStep) * 0.9f, note.velocity};
            std::vector<float> samples = RenderVoice(v, seed++);
            int start = note.start * song.framesPerStep;
            // An intro note must not ring into the loop, or its tail would sound again at
            // every repeat and break the join: it fades out just before the loop starts.
            bool intro = start < song.LoopStart();
            for (size_t i = 0; i < samples.size(); ++i) {
                int at = start + static_cast<int>(i);
                float s = samples[i];
                if (intro)
                    s *= IntroFade(song.LoopStart() - at);
                buffer.Add(at, s * gl, s * gr);
                if (part.echo > 0) {
                    float e1 = intro ? IntroFade(song.LoopStart() - at - delay) : 1.0f;
                    float e2 = intro ? IntroFade(song.LoopStart() - at - 2 * delay) : 1.0f;
                    buffer.Add(at + delay, s * gr * part.echo * e1, s * gl * part.echo * e1);
                    buffer.Add(at + 2 * delay, s * gl * part.echo * 0.5f * e2,
                               s * gr * part.echo * 0.5f * e2);
                }
            }
        }
    }
    buffer.Master(song.peak);
    return buffer;
}
