// Effects as they sound: restarts, two at once, the volume scale, the length limits and the
// voice the per-frame service leaves loaded.
#include <gtest/gtest.h>

#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"
#include "tests/audio/loopback_audio.h"
#include "tests/unit/ogg_test_file.h"

namespace {

// Frame k of a ramp: left 1 + k, right -(1 + k); every frame is different and non-zero.
std::vector<Frame> Ramp(int32_t frames) {
    std::vector<Frame> f(static_cast<size_t>(frames));
    for (int32_t k = 0; k < frames; ++k) {
        f[k] = Frame{static_cast<int16_t>(1 + k % 30000), static_cast<int16_t>(-(1 + k % 30000))};
    }
    return f;
}

std::vector<Frame> Constant(int32_t frames, int16_t left, int16_t right) {
    return std::vector<Frame>(static_cast<size_t>(frames), Frame{left, right});
}

}  // namespace

TEST(EffectOutput, PlayingAgainRestartsTheEffectFromItsFirstSample) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("ramp.wav", StereoWave(Ramp(20000)), 4));
    a.audio.PlayEffect(4);
    std::vector<Frame> first = a.Render(5000);
    a.audio.PlayEffect(4);
    std::vector<Frame> again = a.Render(5000);
    const std::vector<Frame> ramp = Ramp(5000);
    EXPECT_EQ(first, ramp);
    EXPECT_EQ(again, ramp);
}

TEST(EffectOutput, TwoEffectsSoundAtOnceOnTheirOwnVoices) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("a.wav", StereoWave(Constant(4000, 1000, 1000)), 1));
    ASSERT_TRUE(a.LoadEffect("b.wav", StereoWave(Constant(2000, 2000, -2000)), 2));
    a.audio.PlayEffect(1);
    a.audio.PlayEffect(2);
    std::vector<Frame> out = a.Render(6000);
    EXPECT_EQ(out[10], (Frame{3000, -1000}));
    EXPECT_EQ(out[1999], (Frame{3000, -1000}));
    EXPECT_EQ(out[2000], (Frame{1000, 1000}));  // the shorter one has ended
    EXPECT_EQ(out[3999], (Frame{1000, 1000}));
    EXPECT_TRUE(Silent({out.begin() + 4000, out.end()}));
}

TEST(EffectOutput, EffectVolumeZeroSilencesAndTenThousandIsFullScale) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("ramp.wav", StereoWave(Ramp(3000)), 0));
    a.system.seVolume = 0;
    a.audio.ApplyEffectVolume();
    a.audio.PlayEffect(0);
    EXPECT_TRUE(Silent(a.Render(3000)));
    a.system.seVolume = 10000;
    a.audio.ApplyEffectVolume();
    a.audio.PlayEffect(0);
    EXPECT_EQ(a.Render(3000), Ramp(3000));
    // Half scale halves every sample (within the 16-bit rounding).
    a.system.seVolume = 5000;
    a.audio.ApplyEffectVolume();
    a.audio.PlayEffect(0);
    std::vector<Frame> half = a.Render(3000);
    const std::vector<Frame> ramp = Ramp(3000);
    for (size_t k = 0; k < half.size(); ++k)
        ASSERT_NEAR(half[k].left, ramp[k].left / 2.0, 1.0) << k;
}

TEST(EffectOutput, AWaveEffectKeepsItsFirstSecond) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("long.wav", StereoWave(Constant(2 * 44100, 500, 500)), 3));
    ASSERT_TRUE(a.LoadEffect("short.wav", StereoWave(Constant(100, 500, 500)), 5));
    EXPECT_EQ(a.audio.effectBuffers[3].audioBytes, 176400u);
    EXPECT_EQ(a.audio.effectBuffers[3].flags, 0u);
    EXPECT_EQ(a.audio.effectBuffers[5].flags, kEndOfStream);
    a.audio.PlayEffect(3);
    std::vector<Frame> out = a.Render(50000);
    EXPECT_EQ(out[44099], (Frame{500, 500}));
    EXPECT_TRUE(Silent({out.begin() + 44100, out.end()}));
}

TEST(EffectOutput, AnOggEffectKeepsItsFirst529200Bytes) {
    LoopbackAudio a(2);
    ASSERT_TRUE(WriteOggTone(a.folder.path + "long.ogg", 4 * 44100));
    ASSERT_TRUE(a.LoadEffect("long.ogg", {}, 7));
    EXPECT_EQ(a.audio.effectBuffers[7].audioBytes, 529200u);
    a.audio.PlayEffect(7);
    std::vector<Frame> out = a.Render(140000);
    EXPECT_FALSE(Silent({out.begin() + 131300, out.begin() + 132300}));
    EXPECT_TRUE(Silent({out.begin() + 132300, out.end()}));
}

TEST(EffectOutput, AfterAnEffectEndsTheServiceLoadsItAgainWithoutPlayingIt) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("ramp.wav", StereoWave(Ramp(1000)), 9));
    EXPECT_EQ(QueuedVoiceBuffers(9), 1);  // loaded at start-up, not started
    a.audio.ServiceEffectVoices();
    EXPECT_EQ(QueuedVoiceBuffers(9), 1);
    a.audio.PlayEffect(9);
    EXPECT_EQ(a.Render(2000)[999], Ramp(1000)[999]);
    EXPECT_EQ(QueuedVoiceBuffers(9), 0);
    a.audio.ServiceEffectVoices();
    EXPECT_EQ(QueuedVoiceBuffers(9), 1);
    EXPECT_TRUE(Silent(a.Render(2000)));
    a.audio.ServiceEffectVoices();  // loaded already: left alone
    EXPECT_EQ(QueuedVoiceBuffers(9), 1);
    a.audio.PlayEffect(9);
    EXPECT_EQ(QueuedVoiceBuffers(9), 1);
    EXPECT_EQ(a.Render(1000), Ramp(1000));
}

TEST(EffectOutput, TheSettingsScreenRestartResumesAStoppedEffect) {
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("ramp.wav", StereoWave(Ramp(4000)), 0));
    a.audio.RestartEffectVoice(0);  // starts what the service left loaded
    EXPECT_EQ(a.Render(1000), Ramp(1000));
}

TEST(EffectOutput, AWaveEffectIsReadFromItsDataChunkOnly) {
    LoopbackAudio a(1);
    std::vector<uint8_t> wave = StereoWave(Constant(100, 700, 700));
    const std::vector<uint8_t> after = {'L', 'I', 'S', 'T', 8, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8};
    wave.insert(wave.end(), after.begin(), after.end());
    ASSERT_TRUE(a.LoadEffect("tail.wav", wave, 6));
    EXPECT_EQ(a.audio.effectBuffers[6].audioBytes, 400u);
    a.audio.PlayEffect(6);
    std::vector<Frame> out = a.Render(200);
    EXPECT_EQ(out[99], (Frame{700, 700}));
    EXPECT_TRUE(Silent({out.begin() + 100, out.end()}));
}
