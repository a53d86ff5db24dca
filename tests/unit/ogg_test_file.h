// Writes small Ogg Vorbis files for tests: stereo 44100 Hz, a known tone.
#pragma once

#include <string>

// frames of a 440 Hz tone, written to path. False when encoding failed.
bool WriteOggTone(const std::string& path, int frames, int channels = 2);

// frames of signal(frame) (-1..1) on every channel, written to path.
bool WriteOggSignal(const std::string& path, int frames, int channels, float (*signal)(int frame));
