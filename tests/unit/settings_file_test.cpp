// Game.ini: every offset in both directions, the derivations and the safe save.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <vector>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "tests/unit/temp_folder.h"

namespace {

struct Parts {
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    CLoadFile file{system.get(), scene.get()};
};

std::vector<uint8_t> DefaultFile() {
    std::vector<uint8_t> b(512, 0);
    const uint8_t head[24] = {0, 1, 0, 1, 1, 0xBD, 0x37, 0x86, 0x35, 0, 0, 0,
                              0, 1, 0, 0, 1, 1,    0,    1,    0,    1, 1, 1};
    std::memcpy(b.data(), head, sizeof head);  // 0x358637BD is 0.000001f
    return b;
}

}  // namespace

TEST(SettingsFile, MissingFileGivesTheDefaultsThroughTheSameDerivation) {
    Parts p;
    TempFolder dir;
    EXPECT_TRUE(p.file.LoadSettings(dir.Path16("Game.ini").c_str()));
    const System& s = *p.system;
    EXPECT_EQ(s.fullScreen, 0);
    EXPECT_EQ(s.vsync, 1);
    EXPECT_EQ(s.timerMethod, 0);
    EXPECT_EQ(s.framePattern, 1);
    EXPECT_EQ(s.frameSkip, 0);
    EXPECT_EQ(s.audioMode, 2);
    EXPECT_EQ(s.padInputDefault, 1);
    EXPECT_EQ(s.dataFolderRelative, 1);
    EXPECT_EQ(s.bgmVolume, 0);
    EXPECT_EQ(s.seVolume, 0);
    EXPECT_EQ(s.loadedMark, 1);
    for (uint8_t code : s.buttonCodes) EXPECT_EQ(code, 0);
    const int32_t edit[11] = {0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    for (int k = 0; k < 11; ++k) EXPECT_EQ(s.settingsEdit[k], edit[k]) << k;
}

TEST(SettingsFile, FirstSaveWithoutAFileWritesTheDefaultsByteForByte) {
    Parts p;
    TempFolder dir;
    auto path = dir.Path16("Game.ini");
    p.file.LoadSettings(path.c_str());
    ASSERT_TRUE(p.file.SaveSettings(path.c_str()));
    EXPECT_EQ(dir.Read("Game.ini"), DefaultFile());
    EXPECT_FALSE(dir.Exists("Game.ini.tmp"));
}

TEST(SettingsFile, StoredOnlyBytesAndFloatsComeBackUnchanged) {
    TempFolder dir;
    std::vector<uint8_t> in(512, 0);
    for (int k = 0; k < 24; ++k) in[k] = static_cast<uint8_t>(0xA0 + k);
    const uint8_t nan[4] = {0x01, 0x00, 0x80, 0x7F};  // a signalling NaN must survive too
    std::memcpy(&in[9], nan, 4);
    dir.Write("Game.ini", in);
    Parts p;
    auto path = dir.Path16("Game.ini");
    p.file.LoadSettings(path.c_str());
    ASSERT_TRUE(p.file.SaveSettings(path.c_str()));
    std::vector<uint8_t> out = dir.Read("Game.ini");
    ASSERT_EQ(out.size(), 512u);
    for (int k : {0, 1, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 19, 21, 23}) {
        EXPECT_EQ(out[k], in[k]) << "offset " << k;
    }
    // The working fields are written back normalised (out-of-range codes left the
    // constructor values in place).
    EXPECT_EQ(out[2], 0);   // screen mode 0xA2: window
    EXPECT_EQ(out[3], 1);   // vertical sync: nonzero is on
    EXPECT_EQ(out[18], 0);  // timer method 0xB2: method 0
    EXPECT_EQ(out[20], 1);  // frame skip on
    EXPECT_EQ(out[22], 1);  // the loaded mark
    EXPECT_EQ(p.system->framePattern, 0);
    EXPECT_EQ(p.system->audioMode, 0);
    EXPECT_EQ(p.system->padInputDefault, 0);
}

// A damaged file must leave the pictures on their sheets and the volumes within the reach
// of the settings screen, while its stored bytes still go back unchanged.
TEST(SettingsFile, DamagedInsetAndVolumeLevelsStayUsable) {
    TempFolder dir;
    auto path = dir.Path16("Game.ini");
    const uint8_t insets[][4] = {{0x00, 0x00, 0xC0, 0x7F},   // NaN
                                 {0x00, 0x00, 0x80, 0x7F},   // infinity
                                 {0x4A, 0xF8, 0xC2, 0x6B},   // about 4.7e26
                                 {0x00, 0x00, 0x80, 0x3A}};  // 1/1024, the largest kept
    for (const auto& inset : insets) {
        std::vector<uint8_t> in = DefaultFile();
        std::memcpy(&in[5], inset, 4);
        in[34] = 176;
        in[35] = 21;
        dir.Write("Game.ini", in);
        Parts p;
        p.file.LoadSettings(path.c_str());
        float stored;
        std::memcpy(&stored, inset, 4);
        EXPECT_EQ(p.system->texelInset, inset[3] == 0x3A ? stored : 0.000001f);
        EXPECT_EQ(p.system->bgmVolume, 10000);
        EXPECT_EQ(p.system->seVolume, 10000);
        EXPECT_EQ(p.system->settingsEdit[4], 20);
        EXPECT_EQ(p.system->settingsEdit[5], 20);
        ASSERT_TRUE(p.file.SaveSettings(path.c_str()));
        std::vector<uint8_t> out = dir.Read("Game.ini");
        EXPECT_EQ(0, std::memcmp(&out[5], inset, 4));
        EXPECT_EQ(out[34], 20);
    }
}

TEST(SettingsFile, ValidCodesSetTheWorkingFields) {
    std::vector<uint8_t> in = DefaultFile();
    in[2] = 1;
    in[3] = 0;
    in[18] = 3;
    in[19] = 2;
    in[20] = 7;
    in[21] = 2;
    in[17] = 2;  // pad input only for exactly 1
    in[16] = 0;
    TempFolder dir;
    dir.Write("Game.ini", in);
    Parts p;
    p.file.LoadSettings(dir.Path16("Game.ini").c_str());
    EXPECT_EQ(p.system->fullScreen, 1);
    EXPECT_EQ(p.system->vsync, 0);
    EXPECT_EQ(p.system->timerMethod, 3);
    EXPECT_EQ(p.system->framePattern, 2);
    EXPECT_EQ(p.system->frameSkip, 1);
    EXPECT_EQ(p.system->audioMode, 1);  // code 2 selects WAVE sound files
    EXPECT_EQ(p.system->padInputDefault, 0);
    EXPECT_EQ(p.system->dataFolderRelative, 0);
    in[21] = 1;
    dir.Write("Game.ini", in);
    Parts q;
    q.file.LoadSettings(dir.Path16("Game.ini").c_str());
    EXPECT_EQ(q.system->audioMode, 2);  // code 1 selects Ogg Vorbis sound files
}

TEST(SettingsFile, SettingsButtonsVolumesAndRankingRoundTrip) {
    Parts p;
    System& s = *p.system;
    MapSceneEntity& m = *p.scene;
    s.fullScreen = 1;
    s.vsync = 0;
    s.timerMethod = 2;
    s.frameSkip = 1;
    s.bgmVolume = 10000;
    s.seVolume = 6499;  // survives only in steps of 500
    for (int k = 0; k < 10; ++k) s.buttonCodes[k] = static_cast<uint8_t>(k * 3);
    for (int r = 0; r < 10; ++r) {
        m.rankingScores[r] = 100000 - r * 7 - (r == 9 ? 2000000000 : 0);
        m.rankingDates[r] = CalendarTime{r, 10 + r, 20, 1 + r, r, 126, 5, 300, r == 3 ? -1 : r};
    }
    m.rankingScores[10] = 77;
    TempFolder dir;
    auto path = dir.Path16("Game.ini");
    ASSERT_TRUE(p.file.SaveSettings(path.c_str()));
    std::vector<uint8_t> bytes = dir.Read("Game.ini");
    EXPECT_EQ(bytes[34], 20);
    EXPECT_EQ(bytes[35], 12);

    Parts q;
    q.scene->rankingDates[2].weekday = 4;  // not stored: keeps what memory holds
    q.scene->rankingScores[10] = 55;
    q.file.LoadSettings(path.c_str());
    EXPECT_EQ(q.system->fullScreen, 1);
    EXPECT_EQ(q.system->vsync, 0);
    EXPECT_EQ(q.system->timerMethod, 2);
    EXPECT_EQ(q.system->frameSkip, 1);
    EXPECT_EQ(q.system->bgmVolume, 10000);
    EXPECT_EQ(q.system->seVolume, 6000);
    EXPECT_EQ(q.system->settingsEdit[4], 20);
    EXPECT_EQ(q.system->settingsEdit[5], 12);
    for (int k = 0; k < 10; ++k) EXPECT_EQ(q.system->buttonCodes[k], k * 3);
    for (int k = 0; k < 4; ++k) EXPECT_EQ(q.system->settingsEdit[6 + k], k * 3);
    for (int r = 0; r < 10; ++r) {
        const CalendarTime& a = m.rankingDates[r];
        const CalendarTime& b = q.scene->rankingDates[r];
        EXPECT_EQ(q.scene->rankingScores[r], m.rankingScores[r]);
        EXPECT_EQ(b.year, a.year);
        EXPECT_EQ(b.month, a.month);
        EXPECT_EQ(b.day, a.day);
        EXPECT_EQ(b.hour, a.hour);
        EXPECT_EQ(b.minute, a.minute);
        EXPECT_EQ(b.second, a.second);
        EXPECT_EQ(b.daylightSaving & 0xFFFFFF, a.daylightSaving & 0xFFFFFF);
    }
    EXPECT_EQ(q.scene->rankingDates[2].weekday, 4);
    EXPECT_EQ(q.scene->rankingScores[10], 55);  // entry 10 is not stored and not touched
}

TEST(SettingsFile, ShortFileReadsAsZerosWhereItEnds) {
    std::vector<uint8_t> in = DefaultFile();
    in[36] = 0x10;  // first ranking score, then the file ends
    in.resize(37);
    TempFolder dir;
    dir.Write("Game.ini", in);
    Parts p;
    p.scene->rankingScores[1] = 999;
    p.file.LoadSettings(dir.Path16("Game.ini").c_str());
    EXPECT_EQ(p.scene->rankingScores[0], 0x10);
    EXPECT_EQ(p.scene->rankingScores[1], 0);

    dir.Write("Game.ini", {});
    Parts empty;
    empty.file.LoadSettings(dir.Path16("Game.ini").c_str());
    EXPECT_EQ(empty.system->vsync, 0);  // every stored byte reads as zero
    EXPECT_EQ(empty.system->audioMode, 0);
}

TEST(SettingsFile, LongerFileIsReadToItsFirst512Bytes) {
    std::vector<uint8_t> in = DefaultFile();
    in.resize(4096, 0xEE);
    TempFolder dir;
    dir.Write("Game.ini", in);
    Parts p;
    p.file.LoadSettings(dir.Path16("Game.ini").c_str());
    EXPECT_EQ(p.system->vsync, 1);
    ASSERT_TRUE(p.file.SaveSettings(dir.Path16("Game.ini").c_str()));
    EXPECT_EQ(dir.Read("Game.ini").size(), 512u);
}

TEST(SettingsFile, AFailedSaveAtAnyOffsetLeavesTheOldFileWhole) {
    TempFolder dir;
    auto path = dir.Path16("Game.ini");
    std::vector<uint8_t> old = DefaultFile();
    old[36] = 42;  // a ranking worth keeping
    dir.Write("Game.ini", old);
    Parts p;
    p.file.LoadSettings(path.c_str());
    p.scene->rankingScores[0] = 43;
    for (int64_t budget = 0; budget < 512; ++budget) {
        theFileFaults.writeBudget = budget;
        EXPECT_FALSE(p.file.SaveSettings(path.c_str())) << budget;
        theFileFaults.writeBudget = -1;
        ASSERT_EQ(dir.Read("Game.ini"), old) << "after failing at byte " << budget;
        EXPECT_FALSE(dir.Exists("Game.ini.tmp"));
    }
    theFileFaults.failReplace = true;
    EXPECT_FALSE(p.file.SaveSettings(path.c_str()));
    theFileFaults.failReplace = false;
    EXPECT_EQ(dir.Read("Game.ini"), old);
    theFileFaults.failCreate = true;
    EXPECT_FALSE(p.file.SaveSettings(path.c_str()));
    theFileFaults.failCreate = false;
    EXPECT_EQ(dir.Read("Game.ini"), old);
    ASSERT_TRUE(p.file.SaveSettings(path.c_str()));
    EXPECT_EQ(dir.Read("Game.ini")[36], 43);
}

TEST(SettingsFile, UnwritableFolderReportsFailure) {
    Parts p;
    EXPECT_FALSE(p.file.SaveSettings(u"/nonexistent-folder-for-tessaroid/Game.ini"));
}

// The stored bytes are offsets 0 to 4 and 13 to 23; any other offset (the two floats among
// them) names no byte and reads as 0, never as a byte of a float or of what lies beside.
TEST(SettingsFile, StoredByteReadsOnlyTheStoredBytes) {
    StoredSettings s = kDefaultStoredSettings;
    for (int k = 0; k < 5; ++k) s.head[k] = static_cast<uint8_t>(0xA0 + k);
    for (int k = 0; k < 11; ++k) s.tail[k] = static_cast<uint8_t>(0xB0 + k);
    s.texelInset = -1.0e-30f;  // no zero byte in either float
    s.storedFloat2 = -3.3e33f;
    for (int offset = 0; offset < 5; ++offset) EXPECT_EQ(StoredByte(s, offset), 0xA0 + offset);
    for (int offset = 13; offset < 24; ++offset)
        EXPECT_EQ(StoredByte(s, offset), 0xB0 + offset - 13);
    for (int offset : {-1, 5, 6, 8, 9, 12, 24, 200}) EXPECT_EQ(StoredByte(s, offset), 0) << offset;
}
