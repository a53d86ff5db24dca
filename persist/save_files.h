// Where start-up reads Game.ini and the save slots and where the exit writes Game.ini: the
// save folder, which is the program folder unless that cannot be written.
#pragma once

#include "platform/path16.h"

class System;

// saveFolder + name into path. False when there is no save folder or the path does not
// fit; path is then empty, so it opens nothing (an empty folder would name the current one).
[[nodiscard]] bool SaveFilePath(const System& system, const char16_t* name,
                                char16_t (&path)[kPathUnits]);

// The Game.ini that start-up reads: the save folder's; or, while the player has none of
// their own apart from the program folder, the program folder's, which then holds the
// first run's settings.
void SettingsFileToRead(const System& system, char16_t (&path)[kPathUnits]);

// True when the save folder is the program folder: every file beside the executable.
[[nodiscard]] bool SavesBesideProgram(const System& system);
