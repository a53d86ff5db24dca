// Music: songs written as parts of notes on a grid of sixteenth notes, rendered by a few
// instruments into a stereo buffer whose loop region wraps, so the loop joins its start
// sample for sample.
#pragma once

#include <string>
#include <vector>

#include "tools/assetgen/synth.h"

enum class Instrument { Lead, Bass, Pad, Arp, Bell, Kick, Snare, Hat, OpenHat, Drone };

struct Note {
    int start;   // sixteenths from the start of the song
    int length;  // sixteenths held
    int midi;
    float velocity;
};

struct Part {
    Instrument instrument;
    float gain;
    float pan;   // -1 left .. 1 right
    float echo;  // level of the echo taps (0 for none)
    std::vector<Note> notes;
};

struct Song {
    int framesPerStep;  // frames in one sixteenth
    int introBars;      // played once, before the loop
    int loopBars;
    float peak;  // loudest sample after mastering (1 = full scale)
    std::vector<Part> parts;

    int LoopStart() const { return introBars * 16 * framesPerStep; }
    int LoopLength() const { return loopBars * 16 * framesPerStep; }
};

// Renders the song: the file is the intro and one pass of the loop, exactly LoopStart +
// LoopLength frames, so neither reader can play past the loop's end.
StereoBuffer RenderSong(const Song& song);

// Bars written as "E5:4 A4:2 -:2 ..." (note and octave, or '-' for a rest, then its length
// in sixteenths), appended to part from bar on; returns the bar after the last one.
int AddMelody(Part& part, int bar, const std::string& text, float velocity = 1.0f);
// A repeated pattern over chords: for each bar, the chord's notes (root first, "A2 C3 E3")
// are picked by the pattern's digits ("0 0 1 0 2 0 1 0": one step per eighth or sixteenth).
int AddPattern(Part& part, int bar, const std::vector<std::string>& chords,
               const std::string& steps, int stepLength, float velocity = 1.0f);
// The given notes held together for the whole bar, one chord per bar.
int AddChords(Part& part, int bar, const std::vector<std::string>& chords, float velocity = 1.0f);
// A drum line: 'x' hit, 'o' soft hit, '.' nothing, one character per sixteenth, 16 a bar.
int AddDrums(Part& part, int bar, const std::string& hits, int repeatBars);

// The four songs: the game's music, two tracks of their own and the quiet loop.
Song GameSong();
Song CalmSong();
Song BrightSong();
Song QuietSong();
