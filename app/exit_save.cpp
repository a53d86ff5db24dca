// The exit path's saves, apart from the program's own start-up so the unit tests can run them
// against a full disk.
#include "app/exit_save.h"

#include "game/system.h"
#include "persist/data_folder_file.h"
#include "persist/load_file.h"
#include "persist/save_files.h"
#include "platform/message_box.h"
#include "platform/path16.h"
#include "platform/save_folder.h"

bool SaveOnExit(System& system) {
    bool beside = SavesBesideProgram(system);
    // The player's own folder is made on the first save; when it cannot be, or there is none,
    // the save fails as any failed write does. A path that does not fit is never written.
    char16_t path[kPathUnits];
    bool ready =
        (beside || MakeSaveFolder(system.saveFolder)) && SaveFilePath(system, u"Game.ini", path);
    CLoadFile saver;
    if (!ready || !saver.SaveSettings(path)) {
        ShowMessage(u"Error", u"ini書き込みに失敗しました。");
        return false;
    }
    // dir.txt belongs to the program folder and nothing changes it during a run: where that
    // folder cannot be written it is left alone rather than copied where nothing reads it.
    if (beside)
        (void)WriteDataFolderFile(system);
    return true;
}
