// The sound stage of start-up on a data folder of its own: everything loaded and the thread
// running, or the first failure reported exactly as the game reports it.
#include "assets/sound_loading.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "assets/resources.h"
#include "audio/audio.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "tests/audio/loopback_audio.h"
#include "tests/unit/ogg_test_file.h"
#include "tests/unit/recording_messages.h"

namespace {

// A data folder whose sound list names tracks 0..63 and effects 0..31 in 16 characters each.
struct SoundFolder {
    LoopbackAudio a;
    std::string ext;  // "wav" or "ogg"

    explicit SoundFolder(int32_t mode) : a(mode), ext(mode == 1 ? "wav" : "ogg") {
        std::filesystem::create_directories(a.folder.path + ext);
        (void)TextFromUtf8(a.system.dataPath, kPathUnits, a.folder.path.c_str());
        ShownMessages().clear();
    }
    // "wav\bgm_0012.wav" and "wav\se_00007.wav": 16 characters.
    std::string TrackName(int n) const { return ext + "/bgm_00" + Two(n) + "." + ext; }
    std::string EffectName(int n) const { return ext + "/se_000" + Two(n) + "." + ext; }
    static std::string Two(int n) { return std::string{char('0' + n / 10), char('0' + n % 10)}; }

    void WriteList(int records = 96) {
        std::vector<uint8_t> b = {0xFF, 0xFE};
        for (int k = 0; k < records; ++k) {
            std::string name = k < 64 ? TrackName(k) : EffectName(k - 64);
            name[3] = '\\';
            for (char c : name + "\r\n") {
                b.push_back(static_cast<uint8_t>(c));
                b.push_back(0);
            }
        }
        a.folder.Write(ext + "/" + ext + "_0000.txt", b);
    }
    void WriteSound(const std::string& name, int frames) {
        if (ext == "wav")
            a.folder.Write(name, StereoWave(std::vector<Frame>(frames, Frame{100, 100})));
        else
            EXPECT_TRUE(WriteOggTone(a.folder.path + name, frames));
    }
    void WriteLoop(int n, const std::string& text) {
        a.folder.Write(TrackName(n) + ".sli", std::vector<uint8_t>(text.begin(), text.end()));
    }
    // Everything a start-up needs.
    void WriteAll() {
        WriteList();
        for (int n = 0; n < 32; ++n) WriteSound(EffectName(n), 200);
        for (int n = 0; n < 64; ++n) {
            WriteSound(TrackName(n), 3000);
            WriteLoop(n, "LoopStart=1000\n\nLoopLength=1500\n");
        }
    }
    bool Load() { return LoadSounds(a.system, *theGame->scene); }
    std::u16string Path(const std::string& name) const { return a.folder.Path16(name); }
};

void ExpectOneMessage(const std::u16string& title, const std::u16string& text) {
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].title, title);
    EXPECT_EQ(ShownMessages()[0].text, text);
}

}  // namespace

TEST(SoundLoading, EverySoundLoadsAndTheStreamingThreadRuns) {
    for (int32_t mode : {1, 2}) {
        SoundFolder f(mode);
        f.WriteAll();
        f.WriteLoop(9, "LoopStart=2000\n\nLoopLength=5000\n");  // past the end: the whole track
        ASSERT_TRUE(f.Load()) << mode;
        EXPECT_TRUE(ShownMessages().empty());
        EXPECT_TRUE(f.a.audio.streamThread.joinable());
        EXPECT_EQ(f.a.system.LoopStart[3], 1000u);
        EXPECT_EQ(f.a.system.LoopLength[3], 1500u);
        EXPECT_EQ(f.a.system.LoopStart[9], 0u);
        EXPECT_EQ(f.a.system.LoopLength[9], 3000u);
        EXPECT_NE(f.a.audio.effectData[31], nullptr);
    }
}

TEST(SoundLoading, WaveFailuresShowTheirMessagesAndStopTheLoading) {
    {
        SoundFolder f(1);
        EXPECT_FALSE(f.Load());
        ExpectOneMessage(u"Message", f.Path("wav\\wav_0000.txt") + u" ファイルが見つかりません");
    }
    {
        SoundFolder f(1);
        f.WriteAll();
        std::filesystem::remove(f.a.folder.path + f.EffectName(7));
        EXPECT_FALSE(f.Load());
        ExpectOneMessage(u"Error", u"Waveファイルのオープンに失敗");
        EXPECT_FALSE(f.a.audio.streamThread.joinable());
    }
    {
        SoundFolder f(1);
        f.WriteAll();
        f.a.folder.Write(f.TrackName(12), {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '});
        EXPECT_FALSE(f.Load());
        ExpectOneMessage(u"Error", u"WAVEファイルを開くのに失敗");
    }
    {
        SoundFolder f(1);
        f.WriteAll();
        std::filesystem::remove(f.a.folder.path + f.TrackName(2) + ".sli");
        EXPECT_FALSE(f.Load());
        // The loop file's path keeps the list's separator, as the game builds it.
        std::u16string sli = f.Path("wav\\bgm_0002.wav.sli");
        ExpectOneMessage(u"Message", sli + u" ファイルが見つかりません");
    }
    {
        SoundFolder f(1);  // a list too short for the effects: the first empty slot fails
        f.WriteAll();
        f.WriteList(70);
        EXPECT_FALSE(f.Load());
        ExpectOneMessage(u"Error", u"Waveファイルのオープンに失敗");
    }
}

TEST(SoundLoading, OggFailuresGoToStandardErrorWithoutABox) {
    {
        SoundFolder f(2);
        f.WriteAll();
        f.a.folder.Write(f.TrackName(5), std::vector<uint8_t>(5000, 'x'));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(f.Load());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Input does not appear to be an Ogg bitstream.\n");
        EXPECT_TRUE(ShownMessages().empty());
    }
    {
        SoundFolder f(2);
        f.WriteAll();
        std::filesystem::remove(f.a.folder.path + f.TrackName(0));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(f.Load());
        std::string err = testing::internal::GetCapturedStderr();
        EXPECT_EQ(err.rfind("Open Error : ", 0), 0u) << err;
        EXPECT_NE(err.find("bgm_0000.ogg"), std::string::npos) << err;
    }
    {
        SoundFolder f(2);  // an effect that does not decode: a standard-error line only
        f.WriteAll();
        f.a.folder.Write(f.EffectName(3), std::vector<uint8_t>(100, 0));
        testing::internal::CaptureStderr();
        EXPECT_FALSE(f.Load());
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  "Input does not appear to be an Ogg bitstream.\n");
        EXPECT_TRUE(ShownMessages().empty());
    }
}

TEST(SoundLoading, WithoutSoundNothingIsOpenedAndNoThreadStarts) {
    SoundFolder f(1);
    f.a.system.audioMode = 0;
    EXPECT_TRUE(f.Load());
    f.a.system.audioMode = 1;
    f.a.system.audioUnavailable = 1;
    EXPECT_TRUE(f.Load());
    EXPECT_TRUE(ShownMessages().empty());
    EXPECT_FALSE(f.a.audio.streamThread.joinable());
}

TEST(SoundLoading, ThePictureListIsReadOnlyAfterEverySoundLoaded) {
    SoundFolder f(1);
    f.WriteAll();
    std::filesystem::remove(f.a.folder.path + f.EffectName(0));
    EXPECT_FALSE(LoadResources());
    ExpectOneMessage(u"Error", u"Waveファイルのオープンに失敗");
}
