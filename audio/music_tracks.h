// The 64 music tracks as the streaming thread reads them: one WAVE stream (sound mode 1) or
// one Ogg Vorbis stream (mode 2) per track, each played from its first sample to its loop
// end and then round its loop for ever.
#pragma once

#include <cstdint>

class System;
struct WaveStream;

inline constexpr int32_t kMusicBlockBytes = 32768;

// The WAVE track table (mode 1).
[[nodiscard]] WaveStream& WaveTrack(int32_t n);

// Fills one block of track n from its WAVE stream, jumping back to the loop start whenever
// the loop end comes first. Bytes after a read failure keep what the block held.
void FillWaveBlock(System& system, int32_t n, uint8_t* destination);

// Opens track n's Ogg Vorbis file (mode 2). 0 on success, else which step failed:
enum OggOpenResult : int32_t {
    kOggOpened = 0,
    kOggCannotOpen,  // the file does not open
    kOggNotVorbis,   // not an Ogg Vorbis stream
    kOggNotStereo,   // an unseekable stream with a link that is not stereo
    kOggNoInfo,      // no stream information
};
// Most tracks name the same few files. A track whose file an earlier open track already
// proved good shares that track's length and is opened only when it is first played (by the
// streaming thread), which spares start-up the decoder set-up and memory of every unplayed
// copy. A file that is gone by then leaves that track silent.
[[nodiscard]] int32_t OpenOggTrack(const char16_t* path, int32_t n);

// Length of track n in sample frames (either mode), 0 when unknown.
[[nodiscard]] int64_t TrackFrames(int32_t audioMode, int32_t n);

// Fills size bytes of track n from its Ogg Vorbis stream with the loop arithmetic.
[[nodiscard]] bool ReadOggBlock(System& system, int32_t n, uint8_t* destination, int32_t size);

// Restarts track n from its first sample (mode 1 or 2).
void RewindTrack(System& system, int32_t n);

// Loop points that cannot play (no length, or an end past the last sample) become the whole
// track, so a bad loop file never silences a track or plays stale bytes.
void FitLoopPoints(uint32_t& loopStart, uint32_t& loopLength, int64_t totalFrames);
