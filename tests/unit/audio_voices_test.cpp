// The effect and music voice operations against the recording voices: their call order,
// the volume scale, the sound-mode check and the music fade's counters.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"
#include "tests/unit/recording_voices.h"

namespace {

struct Audio {
    std::unique_ptr<System> system = std::make_unique<System>();
    CXa2 xa2;
    EffectLog log{};

    explicit Audio(int32_t mode) {
        xa2.settings = system.get();
        xa2.effectLog = &log;
        system->audioMode = mode;
        ResetRecordedVoices();
    }
    std::string Calls() const { return RecordedVoiceCalls(); }
};

}  // namespace

TEST(EffectVoices, PlayingRestartsTheVoiceAndIsRecordedAtTheCall) {
    Audio a(1);
    a.xa2.PlayEffect(14);
    a.xa2.PlayEffect(14);
    a.xa2.PlayEffect(0);
    EXPECT_EQ(a.Calls(),
              "stop 14 flush 14 submit 14 start 14 stop 14 flush 14 submit 14 start 14 "
              "stop 0 flush 0 submit 0 start 0");
    EXPECT_EQ(a.log.count, 3);
    EXPECT_EQ(a.log.effects[2], 0);
}

TEST(EffectVoices, WithoutSoundNothingTouchesAVoiceButThePlayIsStillRecorded) {
    for (int32_t mode : {0, 3}) {
        Audio a(mode);
        a.xa2.PlayEffect(11);
        a.xa2.ServiceEffectVoices();
        a.xa2.ApplyEffectVolume();
        a.xa2.RestartEffectVoice(0);
        a.xa2.ApplyMusicVolume();
        EXPECT_EQ(a.Calls(), "") << mode;
        EXPECT_EQ(a.log.count, 1);
    }
    Audio missing(2);
    missing.system->audioUnavailable = 1;
    missing.xa2.PlayEffect(11);
    missing.xa2.ServiceEffectVoices();
    EXPECT_EQ(missing.Calls(), "");
}

TEST(EffectVoices, AnEffectNumberOutsideTheVoicesPlaysNothing) {
    Audio a(2);
    a.xa2.PlayEffect(32);
    a.xa2.PlayEffect(-1);
    a.xa2.RestartEffectVoice(40);
    EXPECT_EQ(a.Calls(), "");
    EXPECT_EQ(a.log.count, 2);
}

TEST(EffectVoices, TheServiceReloadsOnlyIdleVoicesWithoutStartingThem) {
    Audio a(2);
    for (int n = 0; n < kEffectVoices; ++n) SetQueuedVoiceBuffers(n, 1);
    SetQueuedVoiceBuffers(3, 0);
    SetQueuedVoiceBuffers(31, 0);
    a.xa2.ServiceEffectVoices();
    EXPECT_EQ(a.Calls(), "stop 3 flush 3 submit 3 stop 31 flush 31 submit 31");
}

TEST(EffectVoices, VolumesAreTenThousandthsOfFullScale) {
    Audio a(1);
    a.system->seVolume = 5000;
    a.xa2.ApplyEffectVolume();
    for (int n = 0; n < kEffectVoices; ++n) EXPECT_FLOAT_EQ(RecordedVoiceVolume(n), 0.5f);
    a.system->seVolume = 0;
    a.xa2.ApplyEffectVolume();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(17), 0.0f);
    a.system->bgmVolume = 10000;
    a.xa2.ApplyMusicVolume();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 1.0f);
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(0), 0.0f);
}

TEST(MusicFade, AFadeOutFromFullVolumeStepsAHundredTimesThenEndsSilent) {
    Audio a(2);
    a.system->bgmVolume = 10000;
    a.system->bgmFadeOut = 1;
    a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 1.0f);
    EXPECT_EQ(a.system->bgmFadeCounter, 99);
    for (int k = 0; k < 98; ++k) a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.02f);
    a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.01f);
    EXPECT_EQ(a.system->bgmFadeOut, 1);
    a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.0f);
    EXPECT_EQ(a.system->bgmFadeOut, 0);
    EXPECT_EQ(a.system->bgmFadeCounter, 0);
    EXPECT_EQ(a.system->bgmVolume, 10000);  // the setting itself stays
}

TEST(MusicFade, AFadeInRisesToTheMusicVolume) {
    Audio a(1);
    a.system->bgmVolume = 5000;  // step 50, 100 steps
    a.system->bgmFadeIn = 1;
    a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.0f);
    for (int k = 0; k < 99; ++k) a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.495f);
    EXPECT_EQ(a.system->bgmFadeIn, 1);
    a.xa2.MusicFade();
    EXPECT_FLOAT_EQ(RecordedVoiceVolume(kMusicVoice), 0.5f);
    EXPECT_EQ(a.system->bgmFadeIn, 0);
}

TEST(MusicFade, BelowOneHundredAFadeTakesOneStep) {
    Audio a(1);
    a.system->bgmVolume = 0;
    a.system->bgmFadeOut = 1;
    a.xa2.MusicFade();
    EXPECT_EQ(a.system->bgmFadeOut, 0);
    EXPECT_EQ(a.Calls(), "volume 32=0");
}

TEST(MusicFade, TheCountersRunWithoutSound) {
    Audio a(0);
    a.system->bgmVolume = 1000;  // step 10
    a.system->bgmFadeOut = 1;
    for (int k = 0; k < 100; ++k) a.xa2.MusicFade();
    EXPECT_EQ(a.system->bgmFadeCounter, 0);
    EXPECT_EQ(a.system->bgmFadeOut, 1);
    a.xa2.MusicFade();
    EXPECT_EQ(a.system->bgmFadeOut, 0);
    EXPECT_EQ(a.Calls(), "");
    // A later request starts a new fade from the top.
    a.system->bgmFadeOut = 1;
    a.xa2.MusicFade();
    EXPECT_EQ(a.system->bgmFadeCounter, 99);
}
