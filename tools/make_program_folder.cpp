// Prepares a program folder: writes dir.txt naming the default data folder when the folder
// has none. Existing files are never overwritten, so a player's own choices survive builds.
#include <cstdio>

#include "game/system.h"
#include "persist/data_folder_file.h"
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
    return 0;
}
