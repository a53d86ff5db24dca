// Ogg Vorbis music tracks of any bytes: opened as start-up opens them, with loop points from
// the input's first bytes fitted as start-up fits them, then streamed over the loop jump.
#include <cstring>
#include <memory>

#include "audio/music.h"
#include "audio/music_tracks.h"
#include "game/system.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8)
        return 0;
    static FuzzFile file("track.ogg");
    static uint8_t block[kMusicBlockBytes];
    file.Write(data + 8, size - 8);
    auto system = std::make_unique<System>();
    system->audioMode = 2;
    std::memcpy(&system->LoopStart[1], data, 4);
    std::memcpy(&system->LoopLength[1], data + 4, 4);
    if (OpenOggTrack(file.path, 1) == kOggOpened) {
        FitLoopPoints(system->LoopStart[1], system->LoopLength[1], TrackFrames(2, 1));
        RewindTrack(*system, 1);
        for (int k = 0; k < 6; ++k) (void)ReadOggBlock(*system, 1, block, kMusicBlockBytes);
    }
    CloseMusicTracks(2);
    return 0;
}
