// The songs. The game's music (track 7) is in A minor at about 122 beats a minute: two bars
// of intro, then a 32-bar loop of four 8-bar sections (A, A', B, A'') whose last bar leads
// back into the first. Track 5 is a calm loop in D minor, track 6 a brisk one in E minor,
// and the quiet loop a soft held chord for every other track number.
#include "tools/assetgen/music.h"

namespace {

const std::vector<std::string> kVerseChords = {"A2 C3 E3 A3", "F2 A2 C3 F3", "C3 E3 G3 C4",
                                               "G2 B2 D3 G3", "A2 C3 E3 A3", "F2 A2 C3 F3",
                                               "G2 B2 D3 G3", "E2 G#2 B2 E3"};
const std::vector<std::string> kBridgeChords = {"D2 F2 A2 D3",  "A2 C3 E3 A3", "D2 F2 A2 D3",
                                                "E2 G#2 B2 E3", "F2 A2 C3 F3", "C3 E3 G3 C4",
                                                "D2 F2 A2 D3",  "E2 G#2 B2 E3"};

std::vector<std::string> Up(const std::vector<std::string>& chords, int octaves) {
    std::vector<std::string> out;
    for (const std::string& c : chords) {
        std::string s = c;
        for (char& ch : s)
            if (ch >= '0' && ch <= '9')
                ch = static_cast<char>(ch + octaves);
        out.push_back(s);
    }
    return out;
}

const char* kVerseMelody =
    "E5:4 A4:2 B4:2 C5:4 B4:2 A4:2  A4:4 C5:2 F5:2 E5:4 D5:2 C5:2 "
    "E5:4 G5:2 E5:2 C5:4 D5:2 E5:2  D5:6 B4:2 G4:4 -:4 "
    "E5:4 A4:2 B4:2 C5:4 E5:2 A5:2  G5:2 F5:2 E5:2 F5:2 A5:4 F5:4 "
    "G5:4 D5:2 B4:2 D5:4 G5:4  E5:6 D5:2 B4:4 G#4:4";
const char* kVerseHigh =
    "A5:4 E5:2 A5:2 C6:4 B5:2 A5:2  F5:4 A5:2 C6:2 A5:4 G5:2 F5:2 "
    "G5:4 E5:2 G5:2 C6:4 G5:2 E5:2  D5:2 G5:2 B5:4 A5:2 G5:2 D5:4 "
    "C6:4 B5:2 A5:2 E5:4 A5:4  A5:2 G5:2 F5:2 E5:2 F5:4 C5:4 "
    "B4:2 D5:2 G5:4 F5:2 E5:2 D5:4  E5:8 G#5:4 B5:4";
const char* kBridgeMelody =
    "F5:6 E5:2 D5:4 A4:4  C5:6 B4:2 A4:8  D5:4 F5:4 A5:4 G5:2 F5:2  E5:8 B4:4 G#4:4 "
    "A5:6 G5:2 F5:4 C5:4  E5:6 D5:2 C5:4 G4:4  F5:4 E5:2 D5:2 A5:4 F5:4  G#5:8 E5:4 B4:4";

Part MakePart(Instrument instrument, float gain, float pan, float echo = 0) {
    return Part{instrument, gain, pan, echo, {}};
}

}  // namespace

Song GameSong() {
    Song song{5400, 2, 32, 0.85f, {}};
    const int a = 2, a2 = 10, b = 18, a3 = 26;  // the sections' first bars

    Part lead = MakePart(Instrument::Lead, 0.30f, -0.1f, 0.28f);
    AddMelody(lead, a, kVerseMelody);
    AddMelody(lead, a2, kVerseHigh, 0.9f);
    AddMelody(lead, b, kBridgeMelody, 0.85f);
    AddMelody(lead, a3, kVerseMelody);

    Part bass = MakePart(Instrument::Bass, 0.34f, 0.0f);
    AddPattern(bass, 0, {"A1 A2", "A1 A2"}, "0 0 1 0 0 0 1 0", 2, 0.9f);
    for (int start : {a, a2, a3}) AddPattern(bass, start, kVerseChords, "0 0 1 0 0 0 1 2", 2);
    AddPattern(bass, b, kBridgeChords, "0 - - 2 - - 0 1", 2, 0.9f);

    Part pad = MakePart(Instrument::Pad, 0.07f, 0.2f);
    for (int start : {a, a2, a3}) AddChords(pad, start, Up(kVerseChords, 1));
    AddChords(pad, b, Up(kBridgeChords, 1), 1.2f);

    Part arp = MakePart(Instrument::Arp, 0.06f, 0.45f, 0.35f);
    AddPattern(arp, a2, Up(kVerseChords, 2), "0 1 2 3 2 1 0 1 2 3 2 1 0 1 2 3", 1);
    AddPattern(arp, a3, Up(kVerseChords, 2), "0 2 1 3 0 2 1 3 0 2 1 3 0 2 1 3", 1);

    Part bell = MakePart(Instrument::Bell, 0.09f, -0.4f, 0.4f);
    AddPattern(bell, b, Up(kBridgeChords, 3), "3 - - - 2 - - - 1 - - - 2 - - -", 1);

    Part kick = MakePart(Instrument::Kick, 0.55f, 0.0f);
    Part snare = MakePart(Instrument::Snare, 0.26f, 0.05f);
    Part hat = MakePart(Instrument::Hat, 0.10f, 0.3f);
    Part open = MakePart(Instrument::OpenHat, 0.07f, -0.3f);
    // Intro: kick and hats, then a snare run into the first bar.
    AddDrums(kick, 0, "x...x...x...x...x...x...x...x.x.", 1);
    AddDrums(hat, 0, "x.o.x.o.x.o.x.o.x.o.x.o.x.o.x.o.", 1);
    AddDrums(snare, 0, "................o...o...x.o.xoxx", 1);
    for (int start : {a, a2, a3}) {
        AddDrums(kick, start, "x.....x.x.......", 8);
        AddDrums(snare, start, "....x.......x...", 7);
        AddDrums(snare, start + 7, "....x.......x.xx", 1);
        AddDrums(hat, start, "x.o.x.o.x.o.x.o.", 8);
        AddDrums(open, start, "..............x.", 8);
    }
    // The bridge: half time, lighter.
    AddDrums(kick, b, "x.........x.....", 8);
    AddDrums(snare, b, "........x.......", 7);
    AddDrums(snare, b + 7, "........x...x.xx", 1);
    AddDrums(hat, b, "x...o...x...o...", 8);

    song.parts = {lead, bass, pad, arp, bell, kick, snare, hat, open};
    return song;
}

Song CalmSong() {
    // About 96 beats a minute, 8 bars looping whole.
    Song song{6890, 0, 8, 0.75f, {}};
    const std::vector<std::string> chords = {"D2 F2 A2 C3",  "G2 B2 D3 F3",  "D2 F2 A2 C3",
                                             "A2 C3 E3 G3",  "Bb2 D3 F3 A3", "F2 A2 C3 E3",
                                             "G2 Bb2 D3 F3", "A2 C#3 E3 G3"};
    Part pad = MakePart(Instrument::Pad, 0.10f, 0.0f);
    AddChords(pad, 0, Up(chords, 1));
    Part arp = MakePart(Instrument::Bell, 0.10f, 0.3f, 0.45f);
    AddPattern(arp, 0, Up(chords, 2), "0 - 1 - 2 - 3 - 2 - 1 - 2 - 3 -", 1);
    Part bass = MakePart(Instrument::Bass, 0.26f, 0.0f);
    AddPattern(bass, 0, chords, "0 - - - - - 2 - 0 - - - 1 - - -", 1, 0.8f);
    Part lead = MakePart(Instrument::Lead, 0.16f, -0.2f, 0.4f);
    AddMelody(lead, 2, "A5:6 G5:2 F5:4 E5:4  D5:8 E5:4 C#5:4", 0.8f);
    AddMelody(lead, 6, "D5:4 F5:4 A5:8  G5:8 E5:8", 0.8f);
    Part kick = MakePart(Instrument::Kick, 0.35f, 0.0f);
    AddDrums(kick, 0, "x.......x.......", 8);
    Part hat = MakePart(Instrument::Hat, 0.06f, 0.25f);
    AddDrums(hat, 0, "..o...o...o...o.", 8);
    song.parts = {pad, arp, bass, lead, kick, hat};
    return song;
}

Song BrightSong() {
    // About 140 beats a minute, 8 bars looping whole.
    Song song{4725, 0, 8, 0.82f, {}};
    const std::vector<std::string> chords = {"E2 G2 B2 E3",   "C2 E2 G2 C3",  "D2 F#2 A2 D3",
                                             "B1 D#2 F#2 B2", "E2 G2 B2 E3",  "C2 E2 G2 C3",
                                             "A1 C2 E2 A2",   "B1 D#2 F#2 B2"};
    Part bass = MakePart(Instrument::Bass, 0.32f, 0.0f);
    AddPattern(bass, 0, chords, "0 0 1 0 3 0 1 0", 2);
    Part arp = MakePart(Instrument::Arp, 0.08f, 0.4f, 0.3f);
    AddPattern(arp, 0, Up(chords, 3), "0 1 2 1 0 1 2 3 0 1 2 1 0 1 2 3", 1);
    Part lead = MakePart(Instrument::Lead, 0.26f, -0.15f, 0.25f);
    AddMelody(lead, 0,
              "B5:4 G5:2 E5:2 G5:4 B5:4  C6:4 B5:2 G5:2 E5:8  A5:4 F#5:2 D5:2 F#5:4 A5:4 "
              "B5:6 A5:2 F#5:8  B5:4 G5:2 E5:2 G5:4 B5:4  C6:4 E6:4 C6:4 G5:4 "
              "A5:4 C6:2 B5:2 A5:4 E5:4  F#5:8 D#5:4 B4:4");
    Part kick = MakePart(Instrument::Kick, 0.5f, 0.0f);
    AddDrums(kick, 0, "x...x...x...x...", 8);
    Part snare = MakePart(Instrument::Snare, 0.24f, 0.05f);
    AddDrums(snare, 0, "....x.......x...", 7);
    AddDrums(snare, 7, "....x.......xoxx", 1);
    Part hat = MakePart(Instrument::Hat, 0.09f, 0.3f);
    AddDrums(hat, 0, "x.x.x.x.x.x.x.xo", 8);
    song.parts = {bass, arp, lead, kick, snare, hat};
    return song;
}

Song QuietSong() {
    // Two slow bars of a soft A minor chord, very low, looping whole.
    Song song{8820, 0, 2, 0.12f, {}};
    Part drone = MakePart(Instrument::Drone, 0.3f, 0.0f);
    AddChords(drone, 0, {"A2 E3 A3 C4", "F2 C3 A3 E4"});
    song.parts = {drone};
    return song;
}
