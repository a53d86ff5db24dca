// Music tracks: blocks filled round the loop exactly (WAVE) or within one packet (Ogg),
// rewinding, and loop points that cannot play.
#include "audio/music_tracks.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "assets/wave_stream.h"
#include "audio/music.h"
#include "audio/ogg_track.h"
#include "game/system.h"
#include "tests/unit/ogg_test_file.h"
#include "tests/unit/temp_folder.h"

namespace {

void Put32(std::vector<uint8_t>& b, uint32_t v) {
    for (int k = 0; k < 4; ++k) b.push_back(static_cast<uint8_t>(v >> (8 * k)));
}

// A stereo 16-bit WAVE whose frame k holds the 32-bit value k.
std::vector<uint8_t> CountingWave(uint32_t frames) {
    std::vector<uint8_t> b = {'R', 'I', 'F', 'F'};
    Put32(b, 4 + 24 + 8 + frames * 4);
    for (char c : std::string("WAVEfmt ")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, 16);
    Put32(b, 0x00020001);  // PCM, 2 channels
    Put32(b, 44100);
    Put32(b, 176400);
    Put32(b, 0x00100004);  // block align 4, 16 bits
    for (char c : std::string("data")) b.push_back(static_cast<uint8_t>(c));
    Put32(b, frames * 4);
    for (uint32_t k = 0; k < frames; ++k) Put32(b, k);
    return b;
}

uint32_t FrameAt(const uint8_t* block, int frame) {
    const uint8_t* p = block + 4 * frame;
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

struct WaveTrackFixture {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();
    WaveTrackFixture(uint32_t frames, uint32_t loopStart, uint32_t loopLength) {
        system->audioMode = 1;
        dir.Write("m.wav", CountingWave(frames));
        EXPECT_EQ(OpenWave(dir.Path16("m.wav").c_str(), &WaveTrack(3)), kWaveOk);
        system->LoopStart[3] = loopStart;
        system->LoopLength[3] = loopLength;
        RewindTrack(*system, 3);
    }
    ~WaveTrackFixture() { CloseMusicTracks(1); }
};

}  // namespace

TEST(WaveMusic, PlaysToTheLoopEndThenRepeatsTheLoopExactly) {
    WaveTrackFixture t(10000, 3000, 5000);  // the loop end at frame 8000
    static uint8_t block[kMusicBlockBytes];
    std::vector<uint32_t> played;
    for (int b = 0; b < 4; ++b) {
        FillWaveBlock(*t.system, 3, block);
        for (int f = 0; f < kMusicBlockBytes / 4; ++f) played.push_back(FrameAt(block, f));
    }
    for (size_t k = 0; k < played.size(); ++k) {
        uint32_t expected = k < 8000 ? k : 3000 + (k - 8000) % 5000;
        ASSERT_EQ(played[k], expected) << "frame " << k;
    }
}

TEST(WaveMusic, WholeTrackLoopRepeatsWithoutAGap) {
    WaveTrackFixture t(3000, 0, 3000);
    static uint8_t block[kMusicBlockBytes];
    FillWaveBlock(*t.system, 3, block);
    for (int f = 0; f < kMusicBlockBytes / 4; ++f) ASSERT_EQ(FrameAt(block, f), f % 3000u);
}

TEST(WaveMusic, RewindStartsAgainFromTheFirstFrame) {
    WaveTrackFixture t(20000, 0, 20000);
    static uint8_t block[kMusicBlockBytes];
    FillWaveBlock(*t.system, 3, block);
    RewindTrack(*t.system, 3);
    FillWaveBlock(*t.system, 3, block);
    EXPECT_EQ(FrameAt(block, 0), 0u);
    EXPECT_EQ(FrameAt(block, 8191), 8191u);
}

TEST(MusicLoops, UnplayableLoopPointsBecomeTheWholeTrack) {
    uint32_t start = 100, length = 0;
    FitLoopPoints(start, length, 5000);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(length, 5000u);
    start = 4000;
    length = 2000;  // ends past the last frame
    FitLoopPoints(start, length, 5000);
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(length, 5000u);
    start = 0xFFFFFFFFu;
    length = 0xFFFFFFFFu;  // no 32-bit overflow hides the end
    FitLoopPoints(start, length, 5000);
    EXPECT_EQ(length, 5000u);
    start = 1000;
    length = 4000;  // fits exactly: kept
    FitLoopPoints(start, length, 5000);
    EXPECT_EQ(start, 1000u);
    EXPECT_EQ(length, 4000u);
}

// A 30,000-frame Ogg track file and a System in sound mode 2, no track open.
struct OggTrackFolder {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();
    OggTrackFolder() {
        EXPECT_TRUE(WriteOggTone(dir.path + "m.ogg", 30000));
        system->audioMode = 2;
        ClearMusicOpenFlags();
    }
};

TEST(OggMusic, DecodesToTheLoopEndAndJumpsBackWithinAPacket) {
    OggTrackFolder f;
    TempFolder& dir = f.dir;
    auto& system = f.system;
    ASSERT_EQ(OpenOggTrack(dir.Path16("m.ogg").c_str(), 5), kOggOpened);
    EXPECT_EQ(TrackFrames(2, 5), 30000);
    system->LoopStart[5] = 10000;
    system->LoopLength[5] = 10000;
    RewindTrack(*system, 5);
    static uint8_t block[kMusicBlockBytes];
    int64_t bytes = 0;
    int jumps = 0;
    for (int b = 0; b < 8; ++b) {
        ASSERT_TRUE(ReadOggBlock(*system, 5, block, kMusicBlockBytes));
        bytes += kMusicBlockBytes;
        // After the first pass the position counts from the loop start and never runs more
        // than one decoded packet (at most 8 KiB here) past the loop end.
        EXPECT_LE(OggMusicTrack(5).position, 20000 * 4 + 8192);
        if (OggMusicTrack(5).loopStartBytes != 0)
            ++jumps;
    }
    EXPECT_GT(jumps, 0);
    CloseMusicTracks(2);
    EXPECT_EQ(OggMusicTrack(5).open, 0);
}

// Tracks naming a file an earlier track opened are opened on first play, and then play
// exactly what a track opened at start-up plays.
TEST(OggMusic, TracksSharingAFileOpenOnFirstPlayAndPlayTheSame) {
    OggTrackFolder f;
    TempFolder& dir = f.dir;
    auto& system = f.system;
    const std::u16string path = dir.Path16("m.ogg");
    for (int n : {1, 2, 3}) {
        ASSERT_EQ(OpenOggTrack(path.c_str(), n), kOggOpened);
        system->LoopStart[n] = 10000;
        system->LoopLength[n] = 10000;
        RewindTrack(*system, n);
    }
    EXPECT_EQ(OggMusicTrack(1).open, 1);
    EXPECT_EQ(OggMusicTrack(2).open, 0);  // not yet: nothing played it
    EXPECT_EQ(TrackFrames(2, 3), 30000);
    static uint8_t first[kMusicBlockBytes];
    static uint8_t copy[kMusicBlockBytes];
    for (int b = 0; b < 6; ++b) {  // past the loop jump
        ASSERT_TRUE(ReadOggBlock(*system, 1, first, kMusicBlockBytes));
        ASSERT_TRUE(ReadOggBlock(*system, 2, copy, kMusicBlockBytes));
        ASSERT_EQ(std::memcmp(first, copy, kMusicBlockBytes), 0) << "block " << b;
    }
    // A copy whose file is gone by its first play stays silent: its block is left alone.
    // (Windows keeps a file that is open elsewhere: there it cannot go.)
    if (std::remove((dir.path + "m.ogg").c_str()) == 0) {
        std::memset(copy, 0, sizeof copy);
        EXPECT_FALSE(ReadOggBlock(*system, 3, copy, kMusicBlockBytes));
        EXPECT_EQ(copy[0] | copy[kMusicBlockBytes - 1], 0);
    }
    CloseMusicTracks(2);
    EXPECT_EQ(OggMusicTrack(1).open | OggMusicTrack(2).open | OggMusicTrack(3).open, 0);
    EXPECT_EQ(TrackFrames(2, 3), 0);
}

TEST(OggMusic, FilesThatAreNotVorbisAreRefused) {
    TempFolder dir;
    dir.Write("bad.ogg", std::vector<uint8_t>(4000, 0x4F));
    EXPECT_EQ(OpenOggTrack(dir.Path16("bad.ogg").c_str(), 6), kOggNotVorbis);
    EXPECT_EQ(OpenOggTrack(dir.Path16("none.ogg").c_str(), 6), kOggCannotOpen);
    EXPECT_EQ(OggMusicTrack(6).open, 0);
}
