// dir.txt: the name of the data folder, a UTF-16 text with a byte-order mark beside the
// executable. Read at start-up, written at a normal exit.
#pragma once

class System;

// Reads programFolder + "dir.txt" into dataFolderText and dataFolderName (at most 80 units,
// used as they are). False when the file cannot be opened.
[[nodiscard]] bool ReadDataFolderFile(System& system);

// Writes the mark and dataFolderName to programFolder + "dir.txt", through a temporary file
// so a failed write leaves the old one. Failure is not reported to the player.
bool WriteDataFolderFile(const System& system);

// dataPath from dataFolderText, under the program folder when dataFolderRelative is 1.
void BuildDataPath(System& system);
