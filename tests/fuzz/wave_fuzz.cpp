// WAVE files of any bytes: open, rewind, read to the end, then stream as music with loop
// points taken from the input's first bytes.
#include <cstring>
#include <memory>

#include "assets/wave_stream.h"
#include "audio/music_tracks.h"
#include "game/system.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    static FuzzFile file("track.wav");
    file.Write(data + 8, size - 8);
    WaveStream& s = WaveTrack(1);
    if (OpenWave(file.path, &s) != kWaveOk) return 0;
    static uint8_t block[kMusicBlockBytes];
    if (RewindWave(&s) == kWaveOk) {
        uint32_t taken = 0;
        while (ReadWave(&s, 4096, block, &taken) == kWaveOk && taken > 0) {
        }
        auto system = std::make_unique<System>();
        system->audioMode = 1;
        std::memcpy(&system->LoopStart[1], data, 4);
        std::memcpy(&system->LoopLength[1], data + 4, 4);
        if (RewindWave(&s) == kWaveOk) {
            FitLoopPoints(system->LoopStart[1], system->LoopLength[1], s.data.size / 4);
            RewindTrack(*system, 1);
            for (int k = 0; k < 3; ++k) FillWaveBlock(*system, 1, block);
        }
    }
    CloseWave(&s);
    return 0;
}
