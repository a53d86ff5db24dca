// Where the game keeps the files it writes and the save slots: beside the executable, as the
// game has always done, or, when the program folder cannot be written (an installed game),
// in a folder of the player's own.
#pragma once

#include "platform/path16.h"

// The folder for Game.ini, its temporary file and the save slots, ending in a separator:
// programFolder itself when the player may write into it, else the player's own folder.
// False (out empty) when the program folder cannot be written and no folder of the player's
// can be named; the settings then cannot be saved.
[[nodiscard]] bool FindSaveFolder(const char16_t* programFolder, char16_t (&out)[kPathUnits]);

// Makes the save folder, and any missing folder above it, before the first write into it.
// True when it is a folder now; a folder that was already there is left as it is.
[[nodiscard]] bool MakeSaveFolder(const char16_t* folder);
