// The sound output failing under the game: no device at all means a silent game that still
// starts; a device whose context cannot be made fails start-up and leaves nothing open.
#include <AL/al.h>
#include <gtest/gtest.h>

#include "assets/sound_loading.h"
#include "audio/audio.h"
#include "audio/openal_loopback.h"
#include "audio/voices.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "tests/audio/loopback_audio.h"
#include "tests/unit/temp_folder.h"

namespace {

struct FaultyOutput {
    Game game;
    TempFolder emptyData;
    explicit FaultyOutput(const VoiceOutputFaults& faults) {
        theGame = &game;
        game.audio->settings = game.system;
        game.system->audioMode = 2;
        (void)TextFromUtf8(game.system->dataPath, kPathUnits, emptyData.path.c_str());
        theVoiceOutputFaults = faults;
        EXPECT_TRUE(UseLoopbackOutput(44100));
    }
    ~FaultyOutput() {
        theVoiceOutputFaults = VoiceOutputFaults{};
        game.audio->ReleaseAudio();
        theGame = nullptr;
    }
};

}  // namespace

TEST(OutputFaults, WithoutADeviceTheGameRunsSilentAndOpensNoSoundFile) {
    FaultyOutput f({.noDevice = true});
    ASSERT_TRUE(f.game.audio->InitAudio());
    EXPECT_EQ(f.game.system->audioUnavailable, 1);
    // The data folder has no sound list: the sound stage must not even look for it.
    EXPECT_TRUE(LoadSounds(*f.game.system, *f.game.scene));
    EXPECT_FALSE(f.game.audio->streamThread.joinable());
    f.game.audio->PlayEffect(3);
    f.game.audio->ServiceEffectVoices();
    f.game.system->bgmFadeOut = 1;
    f.game.audio->MusicFade();
    int16_t frames[2];
    EXPECT_FALSE(RenderLoopback(frames, 1));
}

TEST(OutputFaults, AContextThatFailsFailsStartUpAndTheNextOutputStillPlays) {
    {
        FaultyOutput f({.failContext = true});
        EXPECT_FALSE(f.game.audio->InitAudio());
        int16_t frames[2];
        EXPECT_FALSE(RenderLoopback(frames, 1));
    }
    LoopbackAudio a(1);
    ASSERT_TRUE(a.LoadEffect("beep.wav", StereoWave(std::vector<Frame>(100, Frame{900, -900})), 0));
    a.audio.PlayEffect(0);
    EXPECT_EQ(a.Render(4)[2], (Frame{900, -900}));
}

// A voice whose block buffers cannot be made is not made, and keeps none of the names it
// got before: on a fresh output no buffer name is in use afterwards.
TEST(OutputFaults, AVoiceThatCannotGetItsBuffersLeavesNoneBehind) {
    FaultyOutput f({.failBlockBuffers = true});
    ASSERT_TRUE(f.game.audio->InitAudio());
    EXPECT_FALSE(CreateVoice(0, kStereo16Format));
    for (ALuint id = 1; id <= 1024; ++id) ASSERT_FALSE(alIsBuffer(id)) << id;
    theVoiceOutputFaults = VoiceOutputFaults{};
    EXPECT_TRUE(CreateVoice(0, kStereo16Format));
}
