// The normal exit's saves on a disk that fills up: Game.ini keeps its old bytes, the player
// is told, and dir.txt is left alone. With the save folder apart from the program folder,
// Game.ini goes there and the program folder is not touched.
#include "app/exit_save.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

struct ExitFolder {
    TempFolder dir;
    Game game;
    std::vector<uint8_t> oldIni = std::vector<uint8_t>(512, 0x11);
    std::vector<uint8_t> oldDir = {0xFF, 0xFE, 'o', 0, 'l', 0, 'd', 0, '\\', 0};
    ExitFolder() {
        theGame = &game;
        (void)TextCopy(game.system->programFolder, kPathUnits, dir.Path16("").c_str());
        (void)TextCopy(game.system->saveFolder, kPathUnits, dir.Path16("").c_str());
        game.scene->rankingScores[0] = 9000;
        dir.Write("Game.ini", oldIni);
        dir.Write("dir.txt", oldDir);
        ShownMessages().clear();
    }
    ~ExitFolder() {
        theFileFaults = FileFaults{};
        theGame = nullptr;
    }
};

}  // namespace

TEST(ExitSave, AFullDiskKeepsTheOldGameIniShowsTheMessageAndSkipsDirTxt) {
    ExitFolder f;
    for (int64_t room : {0, 1, 24, 300, 511}) {
        SCOPED_TRACE(room);
        ShownMessages().clear();
        theFileFaults.writeBudget = room;
        EXPECT_FALSE(SaveOnExit(*f.game.system));
        theFileFaults.writeBudget = -1;
        EXPECT_EQ(f.dir.Read("Game.ini"), f.oldIni);
        EXPECT_EQ(f.dir.Read("dir.txt"), f.oldDir);
        EXPECT_FALSE(f.dir.Exists("Game.ini.tmp"));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].title, u"Error");
        EXPECT_EQ(ShownMessages()[0].text, u"ini書き込みに失敗しました。");
    }
}

TEST(ExitSave, ADiskThatFillsAfterGameIniKeepsTheOldDirTxtWithoutAWord) {
    ExitFolder f;
    theFileFaults.writeBudget = 512 + 3;  // Game.ini whole, then a mark and half a character
    EXPECT_TRUE(SaveOnExit(*f.game.system));
    EXPECT_EQ(f.dir.Read("Game.ini").size(), 512u);
    EXPECT_EQ(f.dir.Read("Game.ini")[36], 9000 % 256);
    EXPECT_EQ(f.dir.Read("dir.txt"), f.oldDir);
    EXPECT_TRUE(ShownMessages().empty());
}

TEST(ExitSave, APlayersOwnSaveFolderTakesGameIniAndTheProgramFolderIsNotTouched) {
    ExitFolder f;
    TempFolder own;
    (void)TextCopy(f.game.system->saveFolder, kPathUnits, own.Path16("").c_str());
    EXPECT_TRUE(SaveOnExit(*f.game.system));
    uint8_t expected[kSettingsFileBytes];
    EncodeSettings(*f.game.system, *f.game.scene, expected);
    EXPECT_EQ(own.Read("Game.ini"), std::vector<uint8_t>(expected, expected + 512));
    EXPECT_FALSE(own.Exists("dir.txt"));
    EXPECT_FALSE(own.Exists("Game.ini.tmp"));
    EXPECT_EQ(f.dir.Read("Game.ini"), f.oldIni);
    EXPECT_EQ(f.dir.Read("dir.txt"), f.oldDir);
    EXPECT_TRUE(ShownMessages().empty());
}

// No save folder, or one whose file names do not fit the path buffers: the player is told,
// and nothing is written anywhere else, such as the current folder (where an empty or cut
// path would have put ".tmp" over a file of the player's).
TEST(ExitSave, WithoutAUsableSaveFolderTheFailureIsShownAndNothingElseIsWritten) {
    ExitFolder f;
    TempFolder current;
    std::vector<uint8_t> players = {'m', 'i', 'n', 'e'};
    current.Write(".tmp", players);
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(current.path);
    // A folder that fits, with no room left for "Game.ini" in it.
    std::u16string longFolder = f.dir.Path16("");
    while (longFolder.size() + 101 <= 514) longFolder += std::u16string(100, u'x') + u"/";
    longFolder += std::u16string(513 - longFolder.size(), u'y') + u"/";
    for (const std::u16string& folder : {std::u16string(), longFolder}) {
        ShownMessages().clear();
        (void)TextCopy(f.game.system->saveFolder, kPathUnits, folder.c_str());
        EXPECT_FALSE(SaveOnExit(*f.game.system));
        ASSERT_EQ(ShownMessages().size(), 1u);
        EXPECT_EQ(ShownMessages()[0].text, u"ini書き込みに失敗しました。");
    }
    std::filesystem::current_path(before);
    EXPECT_EQ(current.Read(".tmp"), players);
    EXPECT_FALSE(current.Exists("Game.ini"));
    EXPECT_EQ(f.dir.Read("Game.ini"), f.oldIni);
    EXPECT_EQ(f.dir.Read("dir.txt"), f.oldDir);
}
