// Background music: the streaming thread and its iteration, and the main thread's rewind
// request (CLoadSnd makes the music voice and starts the thread at start-up). The thread and
// the main thread share only System's SharedInt fields (current track, window active, stop
// and rewind requests); the loop points, the sound mode and the block areas are set before
// the thread starts.
#include "audio/music_stream.h"

#include <cstring>

#include "audio/audio.h"
#include "audio/music_tracks.h"
#include "audio/voices.h"
#include "game/system.h"
#include "platform/clock.h"
#include "platform/process_ids.h"

namespace {

constexpr int32_t kBlockBytes = kMusicBlockBytes;
constexpr int32_t kBlockFrames = kBlockBytes / 4;

// The track the thread feeds; a number outside the tracks is no music.
int32_t CurrentTrack(const System& system) {
    const int32_t track = system.bgmTrack;
    return track > 0 && track < kMusicTracks ? track : 0;
}

// The streaming thread: a rewind asked for by the main thread is done here, just before
// the track's next block is read.
void ServeRewind(System& system, int32_t track) {
    if (system.musicRewindRequest[track] == 0)
        return;
    system.musicRewindRequest[track] = 0;  // cleared first: a request made meanwhile waits
    RewindTrack(system, track);
}

// The streaming thread: fills the next half of the track's area and submits it.
void SubmitNextBlock(CXa2& audio, StreamState& state, int32_t track) {
    System& system = *audio.settings;
    ServeRewind(system, track);
    if (state.cleared[track] == 0) {
        // Silence in the areas a failed read leaves alone; cleared here and not at start-up so
        // that the tracks never played take no memory.
        std::memset(audio.musicData[track], 0, 2 * kBlockBytes);
        state.cleared[track] = 1;
    }
    state.half[track] = (state.half[track] + 1) % 2;
    uint8_t* destination = audio.musicData[track] + state.half[track] * kBlockBytes;
    if (system.audioMode == kAudioWave)
        FillWaveBlock(system, track, destination);
    else
        (void)ReadOggBlock(system, track, destination, kBlockBytes);
    EffectBuffer& b = audio.musicBuffers[track];
    b = EffectBuffer{};
    b.audioBytes = kBlockBytes;
    b.data = destination;
    b.playLength = kBlockFrames;
    (void)SubmitVoiceBlock(kMusicVoice, b.data, kBlockBytes);
    if (track != state.lastTrack) {
        // A new track replaces whatever was queued and starts at once.
        StopVoice(kMusicVoice);
        FlushVoice(kMusicVoice);
        (void)SubmitVoiceBlock(kMusicVoice, b.data, kBlockBytes);
        StartVoice(kMusicVoice);
    }
}

// The streaming thread: waits until the period since t0 has passed. The difference is
// taken modulo 2^32, so the millisecond counter's wrap does not stall it. It sleeps rather
// than yields: yielding through the whole period would keep a processor busy for a wait
// that needs no precision.
void WaitForPeriod(uint32_t t0) {
    constexpr uint32_t kPeriod = kStreamPeriodMilliseconds;
    for (uint32_t elapsed = ClockMilliseconds() - t0; elapsed < kPeriod;
         elapsed = ClockMilliseconds() - t0) {
        SleepMilliseconds(kPeriod - elapsed);
    }
    YieldTimeSlice();
}

}  // namespace

void StreamMusicStep(CXa2& audio, StreamState& state) {
    System& system = *audio.settings;
    const int32_t track = CurrentTrack(system);
    int32_t queued = QueuedVoiceBuffers(kMusicVoice);
    if (queued == 0 && state.started == 1) {
        // Ran dry while playing (a stall longer than the two queued blocks). The music goes
        // on with the next block instead of staying silent for the rest of the run.
        state.started = 0;
        ++state.dryRuns;
    }
    if (queued >= kQueuedMusicBlocks)
        return;
    if (track == 0) {
        state.started = 0;
        return;
    }
    while (queued < kQueuedMusicBlocks) {
        if (system.active == 0) {
            state.started = 0;
            return;
        }
        SubmitNextBlock(audio, state, track);
        ++queued;
        if (state.started == 0) {
            StartVoice(kMusicVoice);
            state.started = 1;
        }
        state.lastTrack = track;
    }
}

// The streaming thread.
void StreamMusic(CXa2* audio) {
    NameCurrentThread("music");
    StreamState state{};
    do {
        const uint32_t t0 = ClockMilliseconds();
        StreamMusicStep(*audio, state);
        WaitForPeriod(t0);
    } while (audio->settings->audioStopRequest == 0);
}

// Main thread.
void CXa2::RewindMusic(int32_t n) {
    if (!SoundIsOn(*settings) || n < 0 || n >= kMusicTracks)
        return;
    settings->musicRewindRequest[n] = 1;
}
