// The paths of the files in the save folder, and which Game.ini start-up reads.
#include "persist/save_files.h"

#include "game/system.h"
#include "persist/data_folder_file.h"
#include "platform/files.h"

bool SaveFilePath(const System& system, const char16_t* name, char16_t (&path)[kPathUnits]) {
    if (system.saveFolder[0] != 0 && TextCopy(path, kPathUnits, system.saveFolder) &&
        TextAppend(path, kPathUnits, name)) {
        return true;
    }
    path[0] = 0;
    return false;
}

bool SavesBesideProgram(const System& system) {
    return TextEquals(system.saveFolder, system.programFolder, kPathUnits);
}

void SettingsFileToRead(const System& system, char16_t (&path)[kPathUnits]) {
    // Beside the executable there is one Game.ini, read as it always was (no extra open).
    if (SavesBesideProgram(system)) {
        (void)SaveFilePath(system, u"Game.ini", path);
        return;
    }
    if (SaveFilePath(system, u"Game.ini", path)) {
        int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
        if (file >= 0) {
            FileClose(file);
            return;
        }
    }
    (void)ProgramFilePath(system, u"Game.ini", path);
}
