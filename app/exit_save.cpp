// The exit path's saves, apart from the program's own start-up so the unit tests can run them
// against a full disk.
#include "app/exit_save.h"

#include "game/system.h"
#include "persist/data_folder_file.h"
#include "persist/load_file.h"
#include "platform/message_box.h"
#include "platform/path16.h"

bool SaveOnExit(System& system) {
    char16_t path[kPathUnits];
    (void)ProgramFilePath(system, u"Game.ini", path);
    CLoadFile saver;
    if (!saver.SaveSettings(path)) {
        ShowMessage(u"Error", u"ini書き込みに失敗しました。");
        return false;
    }
    (void)WriteDataFolderFile(system);
    return true;
}
