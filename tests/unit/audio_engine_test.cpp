// The engine's life over the recording voices: what each kind of output failure means for
// the game, and the order in which shutdown takes the voices down.
#include <gtest/gtest.h>

#include <memory>

#include "audio/audio.h"
#include "audio/voices.h"
#include "game/system.h"
#include "tests/unit/recording_voices.h"

namespace {

struct Engine {
    std::unique_ptr<System> system = std::make_unique<System>();
    CXa2 xa2;
    Engine() {
        xa2.settings = system.get();
        system->audioMode = 1;
        ResetRecordedVoices();
    }
};

}  // namespace

TEST(AudioEngine, NoDeviceMeansASilentGameAndNoMixerFailsStartUp) {
    Engine ready;
    EXPECT_TRUE(ready.xa2.InitAudio());
    EXPECT_EQ(ready.system->audioUnavailable, 0);

    Engine silent;
    SetRecordedOutputResult(kVoiceOutputNoDevice);
    EXPECT_TRUE(silent.xa2.InitAudio());
    EXPECT_EQ(silent.system->audioUnavailable, 1);
    silent.xa2.PlayEffect(3);
    silent.xa2.RewindMusic(5);
    EXPECT_EQ(silent.system->musicRewindRequest[5], 0);

    Engine broken;
    SetRecordedOutputResult(kVoiceOutputNoMixer);
    EXPECT_FALSE(broken.xa2.InitAudio());
}

TEST(AudioEngine, ReleaseStopsTheStreamThenTakesTheVoicesDownLastEffectFirst) {
    Engine e;
    e.xa2.effectData[0] = new uint8_t[4];
    e.xa2.musicData[63] = new uint8_t[4];
    ResetRecordedVoices();
    e.xa2.ReleaseAudio();
    std::string expected;
    for (int n = 31; n >= 0; --n) expected += "destroy " + std::to_string(n) + " ";
    expected += "destroy 32 close";
    EXPECT_EQ(RecordedVoiceCalls(), expected);
    EXPECT_EQ(e.system->audioStopRequest, 1);
    EXPECT_EQ(e.xa2.effectData[0], nullptr);
    EXPECT_EQ(e.xa2.musicData[63], nullptr);
}

TEST(AudioEngine, ARewindIsOnlyAskedForAndOnlyForATrack) {
    Engine e;
    e.xa2.RewindMusic(7);
    e.xa2.RewindMusic(64);
    e.xa2.RewindMusic(-1);
    EXPECT_EQ(e.system->musicRewindRequest[7], 1);
    EXPECT_EQ(RecordedVoiceCalls(), "");
}
