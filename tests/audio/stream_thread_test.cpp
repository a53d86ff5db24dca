// The streaming thread itself, in real time: it feeds the current track without a gap,
// follows a change of track, takes rewinds asked for by the main thread while it reads,
// and ends when the audio is released. Run under ThreadSanitizer as well.
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "assets/load_sound.h"
#include "audio/audio.h"
#include "game/system.h"
#include "tests/audio/loopback_audio.h"
#include "tests/unit/ogg_test_file.h"

namespace {

constexpr int32_t kSliceFrames = 2205;  // 50 ms

Frame TrackFrame(int32_t k) {
    return Frame{static_cast<int16_t>(1 + k % 30000), static_cast<int16_t>(-1 - k / 30000)};
}

std::vector<Frame> Track(int32_t frames) {
    std::vector<Frame> f(static_cast<size_t>(frames));
    for (int32_t k = 0; k < frames; ++k) f[k] = TrackFrame(k);
    return f;
}

// Renders in step with the clock: 50 ms of output every 50 ms, calling between(slice).
template <typename Between>
std::vector<Frame> RenderInRealTime(LoopbackAudio& a, int32_t slices, Between between) {
    std::vector<Frame> out;
    for (int32_t s = 0; s < slices; ++s) {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        between(s);
        std::vector<Frame> part = a.Render(kSliceFrames);
        out.insert(out.end(), part.begin(), part.end());
    }
    return out;
}

bool Start(LoopbackAudio& a) {
    CLoadSnd loader(&a.audio, &a.system);
    return loader.StartStreamThread();
}

}  // namespace

TEST(StreamThread, FeedsTheTrackWithoutAGapAndEndsWhenReleased) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.OpenTrack("m.wav", StereoWave(Track(200000)), 3, 0, 200000));
    ASSERT_TRUE(Start(a));
    a.system.bgmTrack = 3;
    std::vector<Frame> out = RenderInRealTime(a, 30, [](int32_t) {});
    size_t first = 0;
    while (first < out.size() && out[first] == Frame{0, 0}) ++first;
    ASSERT_LT(first, static_cast<size_t>(3 * kSliceFrames));  // within 150 ms
    // Every frame after the first is the track's next one: a stall would show as silence.
    for (size_t k = first; k < out.size(); ++k) ASSERT_EQ(out[k], TrackFrame(k - first)) << k;
    a.audio.ReleaseAudio();
    EXPECT_FALSE(a.audio.streamThread.joinable());
}

TEST(StreamThread, AChangeOfTrackReplacesWhatWasQueued) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.OpenTrack("a.wav", StereoWave(Track(200000)), 3, 0, 200000));
    ASSERT_TRUE(a.OpenTrack("b.wav", StereoWave(std::vector<Frame>(50000, Frame{1234, 1234})), 4, 0,
                            50000));
    ASSERT_TRUE(Start(a));
    a.system.bgmTrack = 3;
    (void)RenderInRealTime(a, 8, [](int32_t) {});
    a.system.bgmTrack = 4;
    std::vector<Frame> out = RenderInRealTime(a, 8, [](int32_t) {});
    // The new track starts at the thread's next iteration (100 ms), not after the queue.
    size_t from = 0;
    while (from < out.size() && !(out[from] == Frame{1234, 1234})) ++from;
    EXPECT_LE(from, static_cast<size_t>(4 * kSliceFrames));
    for (size_t k = from; k < out.size(); ++k) ASSERT_EQ(out[k], (Frame{1234, 1234})) << k;
}

TEST(StreamThread, RewindsAskedForWhileTheThreadDecodesAreSafe) {
    LoopbackAudio a(2);
    ASSERT_TRUE(WriteOggTone(a.folder.path + "m.ogg", 60000));
    ASSERT_TRUE(a.OpenTrack("m.ogg", {}, 6, 0, 60000));
    ASSERT_TRUE(Start(a));
    a.system.bgmTrack = 6;
    std::vector<Frame> out = RenderInRealTime(a, 16, [&](int32_t) { a.audio.RewindMusic(6); });
    EXPECT_FALSE(Silent({out.end() - kSliceFrames, out.end()}));
    a.audio.ReleaseAudio();
    EXPECT_FALSE(a.audio.streamThread.joinable());
}
