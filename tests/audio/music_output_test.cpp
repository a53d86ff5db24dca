// Music as it sounds, with the stream driven one iteration per 100 ms of rendered output:
// seamless loops, the loop from the middle, selecting the same track again, no music,
// the inactive window, a fade and a stall longer than the queue.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <cstdlib>

#include "audio/audio.h"
#include "audio/music_stream.h"
#include "game/background.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "tests/audio/loopback_audio.h"
#include "tests/unit/ogg_test_file.h"

namespace {

constexpr int32_t kStepFrames = 4410;  // 100 ms of output
constexpr int32_t kQueueFrames = 2 * 8192;

// Frame k of a track: distinct in every frame of the track, never silent.
Frame TrackFrame(int32_t k) {
    return Frame{static_cast<int16_t>(1 + k % 30000), static_cast<int16_t>(-1 - k / 30000)};
}

std::vector<Frame> Track(int32_t frames) {
    std::vector<Frame> f(static_cast<size_t>(frames));
    for (int32_t k = 0; k < frames; ++k) f[k] = TrackFrame(k);
    return f;
}

// The track frame a rendered frame holds, -1 when it is silent or none.
int32_t TrackIndex(const Frame& f) {
    if (f.left == 0 && f.right == 0)
        return -1;
    return (-1 - f.right) * 30000 + f.left - 1;
}

struct Music {
    LoopbackAudio a;
    StreamState stream{};
    explicit Music(int32_t mode) : a(mode) {}

    // Renders frames of output, one streaming iteration before every 100 ms of it.
    std::vector<Frame> Play(int32_t frames) {
        std::vector<Frame> out;
        while (static_cast<int32_t>(out.size()) < frames) {
            StreamMusicStep(a.audio, stream);
            int32_t n = frames - static_cast<int32_t>(out.size());
            std::vector<Frame> part = a.Render(n < kStepFrames ? n : kStepFrames);
            out.insert(out.end(), part.begin(), part.end());
        }
        return out;
    }
};

float Sweep(int frame) {
    const double t = frame / 44100.0;
    return static_cast<float>(0.6 * std::sin(2 * 3.141592653589793 * (200 + 400 * t) * t));
}

// The whole Ogg file as vorbisfile decodes it, left channel only.
std::vector<int16_t> DecodeLeft(const std::string& path) {
    std::vector<int16_t> left;
    OggVorbis_File f;
    if (ov_fopen(path.c_str(), &f) != 0)
        return left;
    char buffer[8192];
    int link = 0;
    long r;
    while ((r = ov_read(&f, buffer, sizeof buffer, 0, 2, 1, &link)) > 0) {
        const int16_t* s = reinterpret_cast<const int16_t*>(buffer);
        for (long k = 0; k < r / 4; ++k) left.push_back(s[2 * k]);
    }
    ov_clear(&f);
    return left;
}

// Whether out from at matches ref from from for count frames, within the rounding.
bool Matches(const std::vector<Frame>& out, size_t at, const std::vector<int16_t>& ref, size_t from,
             size_t count) {
    for (size_t k = 0; k < count; ++k) {
        if (std::abs(out[at + k].left - ref[from + k]) > 2)
            return false;
    }
    return true;
}

}  // namespace

TEST(MusicOutput, AWholeTrackLoopRepeatsWithNoGapAtTheSeam) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(10000)), 3, 0, 10000));
    m.a.system.bgmTrack = 3;
    std::vector<Frame> out = m.Play(100000);
    for (size_t k = 0; k < out.size(); ++k) ASSERT_EQ(out[k], TrackFrame(k % 10000)) << k;
}

TEST(MusicOutput, ALoopFromTheMiddleRepeatsExactlyThatSpan) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(30000)), 4, 10000, 12000));
    m.a.system.bgmTrack = 4;
    std::vector<Frame> out = m.Play(80000);
    for (size_t k = 0; k < out.size(); ++k) {
        const int32_t expected = k < 22000 ? k : 10000 + (k - 22000) % 12000;
        ASSERT_EQ(out[k], TrackFrame(expected)) << k;
    }
}

TEST(MusicOutput, AnOggLoopFromTheMiddleJumpsWithinOnePacket) {
    Music m(2);
    const std::string path = m.a.folder.path + "m.ogg";
    ASSERT_TRUE(WriteOggSignal(path, 40000, 2, Sweep));
    ASSERT_TRUE(m.a.OpenTrack("m.ogg", {}, 5, 10000, 15000));
    const std::vector<int16_t> ref = DecodeLeft(path);
    ASSERT_EQ(ref.size(), 40000u);
    m.a.system.bgmTrack = 5;
    std::vector<Frame> out = m.Play(70000);
    // The first pass plays to the loop end and at most one packet (2048 frames) past it.
    size_t seam = 0;
    while (seam < 27048 && Matches(out, seam, ref, seam, 1)) ++seam;
    ASSERT_GE(seam, 25000u);
    ASSERT_LT(seam, 27048u);
    ASSERT_TRUE(Matches(out, 0, ref, 0, seam));
    // Then the loop from its start, again for its length and at most one packet more.
    ASSERT_TRUE(Matches(out, seam, ref, 10000, 15000)) << "seam at " << seam;
    size_t second = seam + 15000;
    while (second < seam + 17048 && Matches(out, second, ref, 10000 + second - seam, 1)) ++second;
    EXPECT_LT(second, seam + 17048);
    EXPECT_TRUE(Matches(out, second, ref, 10000, 10000)) << "second seam at " << second;
}

TEST(MusicOutput, TheSameTrackAgainPlaysOnAndTheRestartRequestStartsItOver) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(200000)), 7, 0, 200000));
    theGame->scene->backgroundChangeRequest = 1;
    CDungeon dungeon;
    (void)dungeon.SelectBackgroundMusic(0);  // background 0 plays track 7
    ASSERT_EQ(m.a.system.bgmTrack, 7);
    std::vector<Frame> out = m.Play(30000);
    EXPECT_EQ(out.back(), TrackFrame(29999));
    (void)dungeon.SelectBackgroundMusic(0);
    out = m.Play(30000);
    for (size_t k = 0; k < out.size(); ++k) ASSERT_EQ(out[k], TrackFrame(30000 + k)) << k;
    m.a.system.bgmRestart = 1;
    (void)dungeon.SelectBackgroundMusic(0);
    out = m.Play(30000);
    // What was queued plays out (at most two blocks), then the track from its first frame.
    size_t restart = 0;
    while (restart < out.size() && TrackIndex(out[restart]) != 0) ++restart;
    ASSERT_LE(restart, static_cast<size_t>(kQueueFrames));
    for (size_t k = 0; k < restart; ++k) ASSERT_EQ(out[k], TrackFrame(60000 + k));
    for (size_t k = restart; k < out.size(); ++k) ASSERT_EQ(out[k], TrackFrame(k - restart));
}

TEST(MusicOutput, TrackZeroFallsSilentAndTheVoiceStaysForTheNextTrack) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(100000)), 3, 0, 100000));
    m.a.system.bgmTrack = 3;
    (void)m.Play(20000);
    m.a.system.bgmTrack = 0;
    std::vector<Frame> out = m.Play(30000);
    EXPECT_TRUE(Silent({out.begin() + kQueueFrames, out.end()}));
    m.a.system.bgmTrack = 3;
    out = m.Play(10000);
    EXPECT_FALSE(Silent(out));
}

TEST(MusicOutput, AnInactiveWindowSilencesTheMusicAndItResumesWhereItStopped) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(100000)), 3, 0, 100000));
    m.a.system.bgmTrack = 3;
    (void)m.Play(20000);
    m.a.system.active = 0;
    std::vector<Frame> out = m.Play(30000);
    // Silent within the two queued blocks, about 372 ms.
    size_t last = 0;
    for (size_t k = 0; k < out.size(); ++k) {
        if (TrackIndex(out[k]) >= 0)
            last = k;
    }
    EXPECT_LT(last, static_cast<size_t>(kQueueFrames));
    const int32_t stoppedAt = TrackIndex(out[last]);
    m.a.system.active = 1;
    out = m.Play(10000);
    EXPECT_EQ(TrackIndex(out[0]), stoppedAt + 1);
    for (size_t k = 0; k < out.size(); ++k) ASSERT_EQ(out[k], TrackFrame(stoppedAt + 1 + k));
}

TEST(MusicOutput, AFadeOutEndsSilentAndLeavesTheMusicVolume) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(200000)), 3, 0, 200000));
    m.a.system.bgmTrack = 3;
    (void)m.Play(10000);
    m.a.system.bgmFadeOut = 1;
    int peak = 0;
    for (int frame = 0; frame < 100; ++frame) {
        m.a.audio.MusicFade();
        for (const Frame& f : m.Play(735))
            peak = std::max(peak, std::abs(static_cast<int>(f.left)));
    }
    EXPECT_GT(peak, 0);
    EXPECT_EQ(m.a.system.bgmFadeOut, 1);  // the hundredth step played at 1 %
    m.a.audio.MusicFade();
    EXPECT_EQ(m.a.system.bgmFadeOut, 0);
    // The mixer ramps a gain change over one of its updates (at most 2048 frames).
    std::vector<Frame> out = m.Play(5000);
    EXPECT_LE(std::abs(out[0].left), 300);
    EXPECT_TRUE(Silent({out.begin() + 2048, out.end()}));
    EXPECT_EQ(m.a.system.bgmVolume, 10000);
}

TEST(MusicOutput, AStallLongerThanTheQueueDoesNotEndTheMusic) {
    Music m(1);
    ASSERT_TRUE(m.a.OpenTrack("m.wav", StereoWave(Track(100000)), 3, 0, 100000));
    m.a.system.bgmTrack = 3;
    std::vector<Frame> before = m.Play(8820);
    std::vector<Frame> stalled = m.a.Render(30000);  // no iteration for 680 ms
    EXPECT_TRUE(Silent({stalled.end() - 5000, stalled.end()}));
    std::vector<Frame> after = m.Play(20000);
    EXPECT_EQ(m.stream.dryRuns, 1);
    // The stream goes on from the frame after the last one the voice played.
    int32_t last = -1;
    for (const Frame& f : stalled) last = std::max(last, TrackIndex(f));
    ASSERT_EQ(TrackIndex(after[0]), last + 1);
    for (size_t k = 0; k < after.size(); ++k) ASSERT_EQ(after[k], TrackFrame(last + 1 + k));
}
