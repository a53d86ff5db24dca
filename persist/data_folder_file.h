// dir.txt: the name of the data folder, a UTF-16 text with a byte-order mark beside the
// executable. Read at start-up, written at a normal exit.
#pragma once

#include "platform/path16.h"

class System;

// Reads programFolder + "dir.txt" into dataFolderText and dataFolderName (at most 80 units,
// used as they are). False when the file cannot be opened.
[[nodiscard]] bool ReadDataFolderFile(System& system);

// Writes the mark and dataFolderName to programFolder + "dir.txt", through a temporary file
// so a failed write leaves the old one. Failure is not reported to the player.
bool WriteDataFolderFile(const System& system);

// programFolder + name into path. False when it does not fit; path is then empty, so it
// opens nothing (a cut path could name some other file).
[[nodiscard]] bool ProgramFilePath(const System& system, const char16_t* name,
                                   char16_t (&path)[kPathUnits]);

// dataPath from dataFolderText, under the program folder when dataFolderRelative is 1.
void BuildDataPath(System& system);
