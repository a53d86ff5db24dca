// The normal exit's writes: Game.ini in the save folder, then dir.txt beside the executable.
#pragma once

class System;

// Writes Game.ini from the Game object's settings and ranking into the save folder (made
// first when it is the player's own), then dir.txt when the save folder is the program
// folder. When Game.ini cannot be written (the old file stays whole), shows
// "ini書き込みに失敗しました。" and leaves dir.txt alone; false then. A dir.txt that
// cannot be written is not reported.
bool SaveOnExit(System& system);
