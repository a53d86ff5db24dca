// The music streaming thread: every 100 ms it tops the music voice's queue up to two
// 32 KiB blocks from the current track. One iteration is exposed so the tests can drive the
// stream step by step against a rendered output.
#pragma once

#include <cstdint>

#include "game/system.h"

class CXa2;

inline constexpr int32_t kStreamPeriodMilliseconds = 100;
inline constexpr int32_t kQueuedMusicBlocks = 2;

// What the thread keeps between iterations; it is the only one to touch it.
struct StreamState {
    int32_t half[kMusicTracks];     // which of the track's two block halves was filled last
    int32_t started;                // 1 once the voice was started for the current feed
    int32_t lastTrack;              // the track the last block came from
    int32_t dryRuns;                // times the voice was found to have run dry while started
    uint8_t cleared[kMusicTracks];  // 1 once the track's block area was cleared for its first use
};

// One iteration without its wait: rewinds the current track if asked, then fills and
// submits blocks while fewer than two are queued. The streaming thread (or a test).
void StreamMusicStep(CXa2& audio, StreamState& state);

// The thread's body: iterations 100 ms apart until the stop request is set.
void StreamMusic(CXa2* audio);
