// Prepares a program folder: writes dir.txt naming the default data folder and a Game.ini
// with the default settings when the folder has none. Existing files are never overwritten,
// so a player's own choices survive builds.
#include <cstdio>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/data_folder_file.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "platform/path16.h"

namespace {

bool Exists(const char16_t* path) {
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0)
        return false;
    FileClose(file);
    return true;
}

// Music at level 12 and effects at level 16 (of 20), so a new player hears the game.
constexpr int32_t kDefaultMusicVolume = 12 * 500;
constexpr int32_t kDefaultEffectVolume = 16 * 500;

// The settings a missing Game.ini stands for, with the volumes raised and the pad's four
// face buttons on the four actions (A decision, B cancellation, X pause, Y shift). Left at
// their zero default, every action would sit on button A, so a pad turn would also pause.
bool WriteDefaultSettings(const char16_t* path) {
    static System system;
    static MapSceneEntity scene;
    DeriveWorkingSettings(system);
    system.bgmVolume = kDefaultMusicVolume;
    system.seVolume = kDefaultEffectVolume;
    for (int k = 0; k < 4; ++k) system.buttonCodes[k] = static_cast<uint8_t>(k);
    uint8_t bytes[kSettingsFileBytes];
    EncodeSettings(system, scene, bytes);
    return FileWriteWhole(path, bytes, kSettingsFileBytes);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaroid-folder PROGRAM_FOLDER\n");
        return 2;
    }
    static System system;  // the defaults: dataFolderName "data\"
    if (!TextFromUtf8(system.programFolder, kPathUnits, argv[1]) ||
        !TextAppend(system.programFolder, kPathUnits, u"/")) {
        std::fprintf(stderr, "tessaroid-folder: the path is too long\n");
        return 1;
    }
    char16_t dirFile[kPathUnits];
    if (!TextCopy(dirFile, kPathUnits, system.programFolder) ||
        !TextAppend(dirFile, kPathUnits, u"dir.txt")) {
        return 1;
    }
    if (!Exists(dirFile) && !WriteDataFolderFile(system)) {
        std::fprintf(stderr, "tessaroid-folder: cannot write %s/dir.txt\n", argv[1]);
        return 1;
    }
    char16_t settingsFile[kPathUnits];
    if (!TextCopy(settingsFile, kPathUnits, system.programFolder) ||
        !TextAppend(settingsFile, kPathUnits, u"Game.ini")) {
        return 1;
    }
    if (!Exists(settingsFile) && !WriteDefaultSettings(settingsFile)) {
        std::fprintf(stderr, "tessaroid-folder: cannot write %s/Game.ini\n", argv[1]);
        return 1;
    }
    return 0;
}
