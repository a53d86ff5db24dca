// The normal exit's saves on a disk that fills up: Game.ini keeps its old bytes, the player
// is told, and dir.txt is left alone.
#include "app/exit_save.h"

#include <gtest/gtest.h>

#include <vector>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
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
