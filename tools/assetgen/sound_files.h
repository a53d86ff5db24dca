// Sound files of both sets: 16-bit stereo 44100 Hz PCM WAVE files and Ogg Vorbis files.
#pragma once

#include <string>

#include "tools/assetgen/synth.h"

// A RIFF/WAVE file with a 16-byte PCM "fmt " chunk and one "data" chunk.
[[nodiscard]] bool WriteWave(const std::string& path, const StereoBuffer& sound);
// An Ogg Vorbis file of the same samples (as 16-bit values, so both sets hold the same
// sound) at the given quality (-0.1 .. 1). serial fixes the stream's serial number, which
// keeps the file the same from run to run.
[[nodiscard]] bool WriteOgg(const std::string& path, const StereoBuffer& sound, float quality,
                            int serial);
// The loop file beside a music file: LoopStart and LoopLength in sample frames, laid out as
// the game reads it (each key two lines after the one before).
[[nodiscard]] bool WriteLoopFile(const std::string& path, const std::string& listName,
                                 int loopStart, int loopLength);
