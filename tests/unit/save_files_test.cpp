// Which Game.ini start-up reads when the save folder lies apart from the program folder, and
// the save slots read from the save folder and nowhere else.
#include "persist/save_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "persist/save_slots.h"
#include "tests/unit/temp_folder.h"

namespace {

struct TwoFolders {
    TempFolder program;
    TempFolder own;
    std::unique_ptr<System> system = std::make_unique<System>();
    TwoFolders() {
        (void)TextCopy(system->programFolder, kPathUnits, program.Path16("").c_str());
        (void)TextCopy(system->saveFolder, kPathUnits, own.Path16("").c_str());
    }
    std::u16string Read() const {
        char16_t path[kPathUnits];
        SettingsFileToRead(*system, path);
        return path;
    }
};

}  // namespace

TEST(SaveFiles, TheInstalledGameIniStandsInUntilThePlayerHasTheirOwn) {
    TwoFolders f;
    f.program.Write("Game.ini", std::vector<uint8_t>(512, 1));
    EXPECT_EQ(f.Read(), f.program.Path16("Game.ini"));
    f.own.Write("Game.ini", std::vector<uint8_t>(512, 2));
    EXPECT_EQ(f.Read(), f.own.Path16("Game.ini"));
    // A folder of that name is not a settings file.
    std::filesystem::remove(f.own.path + "Game.ini");
    std::filesystem::create_directory(f.own.path + "Game.ini");
    EXPECT_EQ(f.Read(), f.program.Path16("Game.ini"));
    // No save folder at all: the installed defaults.
    f.system->saveFolder[0] = 0;
    EXPECT_EQ(f.Read(), f.program.Path16("Game.ini"));
    EXPECT_FALSE(SavesBesideProgram(*f.system));
    // Beside the executable: that one file, whether it is there or not.
    (void)TextCopy(f.system->saveFolder, kPathUnits, f.system->programFolder);
    std::filesystem::remove(f.program.path + "Game.ini");
    EXPECT_EQ(f.Read(), f.program.Path16("Game.ini"));
    EXPECT_TRUE(SavesBesideProgram(*f.system));
}

TEST(SaveFiles, SlotsComeFromTheSaveFolderAndNoneWithoutOne) {
    TwoFolders f;
    f.program.Write("save0001.dat", std::vector<uint8_t>(100, 0x01));
    f.own.Write("save0002.dat", std::vector<uint8_t>(100, 0x02));
    auto scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader(f.system.get(), scene.get());
    ASSERT_TRUE(LoadSaveSlots(loader, f.system->saveFolder));
    EXPECT_EQ(scene->slots[0].entries[0].leadByte, 0);
    EXPECT_EQ(scene->slots[1].entries[0].leadByte, 2);
    // An empty folder must not mean the current one.
    std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(f.program.path);
    auto fresh = std::make_unique<MapSceneEntity>();
    CLoadFile freshLoader(f.system.get(), fresh.get());
    EXPECT_TRUE(LoadSaveSlots(freshLoader, u""));
    std::filesystem::current_path(before);
    EXPECT_EQ(fresh->slots[0].entries[0].leadByte, 0);
}
