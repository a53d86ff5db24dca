// WAVE music (sound mode 1): the track streams and the block filler with its exact loop.
#include "assets/wave_stream.h"
#include "audio/music_tracks.h"
#include "game/system.h"

namespace {

WaveStream theTracks[kMusicTracks];

}  // namespace

WaveStream& WaveTrack(int32_t n) {
    return theTracks[n & (kMusicTracks - 1)];
}

// Called from the streaming thread.
void FillWaveBlock(System& system, int32_t n, uint8_t* destination) {
    WaveStream& s = WaveTrack(n);
    uint32_t pos = 0;
    while (pos < kMusicBlockBytes) {
        uint32_t want = kMusicBlockBytes - pos;
        uint32_t taken = 0;
        if (ReadWave(&s, want, destination + pos, &taken) != kWaveOk)
            return;
        if (taken == 0)
            return;
        if (taken < want) {
            // The loop end came first: back to the loop start, exact to the byte.
            if (!SeekWaveData(&s, static_cast<int64_t>(system.LoopStart[n]) * 4))
                return;
            s.data.size = system.LoopLength[n] * 4;
        }
        pos += taken;
    }
}

void FitLoopPoints(uint32_t& loopStart, uint32_t& loopLength, int64_t totalFrames) {
    int64_t end = static_cast<int64_t>(loopStart) + loopLength;
    if (loopLength != 0 && end <= totalFrames)
        return;
    loopStart = 0;
    loopLength = totalFrames > 0xFFFFFFFFll ? 0xFFFFFFFFu : static_cast<uint32_t>(totalFrames);
}
