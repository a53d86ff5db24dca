// The XAudio2 voices under Wine. TESSAROID_EXPECT_OUTPUT says what the run's sound setup
// gives: "none" (no audio device at all: the output reports it and no engine call is made
// that could fail), or "null" (ALSA's null device: the voices play in real time).
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "audio/music_tracks.h"
#include "audio/voices.h"
#include "platform/clock.h"

namespace {

bool Expecting(const char* setup) {
    const char* expected = std::getenv("TESSAROID_EXPECT_OUTPUT");
    return expected != nullptr && std::strcmp(expected, setup) == 0;
}

// Waits up to two seconds of real time for the voice's queue to reach count.
bool WaitForQueued(int32_t voice, int32_t count) {
    for (int k = 0; k < 200; ++k) {
        if (QueuedVoiceBuffers(voice) == count)
            return true;
        SleepMilliseconds(10);
    }
    return QueuedVoiceBuffers(voice) == count;
}

class XAudio2Voices : public ::testing::Test {
protected:
    void SetUp() override {
        if (!Expecting("null"))
            GTEST_SKIP() << "needs the null audio device";
        ASSERT_EQ(OpenVoiceOutput(), kVoiceOutputReady);
    }
    void TearDown() override { CloseVoiceOutput(); }
};

}  // namespace

TEST(XAudio2Output, WithoutAnyDeviceTheGameRunsSilent) {
    if (!Expecting("none"))
        GTEST_SKIP() << "needs a run without audio devices";
    EXPECT_EQ(OpenVoiceOutput(), kVoiceOutputNoDevice);
    EXPECT_FALSE(CreateVoice(0, kStereo16Format));
    CloseVoiceOutput();
}

TEST_F(XAudio2Voices, AnEffectPlaysThroughOnceStartedAndWaitsWhenNot) {
    ASSERT_TRUE(CreateVoice(3, kStereo16Format));
    EXPECT_FLOAT_EQ(VoiceVolume(3), 1.0f);
    EXPECT_FLOAT_EQ(VoiceFrequencyRatio(3), 1.0f);
    std::vector<uint8_t> sound(4410 * 4 + 3, 0x10);  // 0.1 s and a partial frame
    ASSERT_TRUE(SetVoiceSound(3, sound.data(), static_cast<int32_t>(sound.size())));
    ASSERT_TRUE(SubmitVoiceBuffer(3));
    SleepMilliseconds(200);
    EXPECT_EQ(QueuedVoiceBuffers(3), 1);  // not started: it waits
    StartVoice(3);
    EXPECT_TRUE(WaitForQueued(3, 0));
    SetVoiceVolume(3, 0.25f);
    EXPECT_FLOAT_EQ(VoiceVolume(3), 0.25f);
    // A stopped voice keeps its queue until flushed.
    StopVoice(3);
    ASSERT_TRUE(SubmitVoiceBuffer(3));
    EXPECT_EQ(QueuedVoiceBuffers(3), 1);
    FlushVoice(3);
    EXPECT_TRUE(WaitForQueued(3, 0));
}

TEST_F(XAudio2Voices, MusicBlocksAreCopiedAndTheRingNeverOverwritesAQueuedOne) {
    ASSERT_TRUE(CreateVoice(kMusicVoice, kStereo16Format));
    std::vector<uint8_t> block(kMusicBlockBytes, 0x20);
    for (int k = 0; k < 4; ++k)
        ASSERT_TRUE(SubmitVoiceBlock(kMusicVoice, block.data(), kMusicBlockBytes)) << k;
    EXPECT_FALSE(SubmitVoiceBlock(kMusicVoice, block.data(), kMusicBlockBytes));
    EXPECT_FALSE(SubmitVoiceBlock(kMusicVoice, block.data(), kMusicBlockBytes + 4));
    StartVoice(kMusicVoice);
    // Four blocks of about 0.19 s each play through; the ring takes blocks again.
    EXPECT_TRUE(WaitForQueued(kMusicVoice, 0));
    EXPECT_TRUE(SubmitVoiceBlock(kMusicVoice, block.data(), kMusicBlockBytes));
    StopVoice(kMusicVoice);
    FlushVoice(kMusicVoice);
}

TEST_F(XAudio2Voices, FormatsTheOutputCannotPlayAreRefused) {
    EXPECT_FALSE(CreateVoice(0, VoiceFormat{1, 3, 44100, 6, 16}));
    EXPECT_FALSE(CreateVoice(0, VoiceFormat{1, 2, 44100, 3, 16}));
    EXPECT_FALSE(CreateVoice(0, VoiceFormat{2, 2, 44100, 4, 16}));
    EXPECT_TRUE(CreateVoice(0, VoiceFormat{3, 1, 48000, 4, 32}));
}
