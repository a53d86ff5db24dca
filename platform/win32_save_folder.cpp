// The save folder on Windows: always the program folder, where the game has always kept its
// files.
#include "platform/save_folder.h"

bool FindSaveFolder(const char16_t* programFolder, char16_t (&out)[kPathUnits]) {
    return TextCopy(out, kPathUnits, programFolder);
}

bool MakeSaveFolder(const char16_t* folder) {
    return folder[0] != 0;
}
