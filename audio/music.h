// The 64 music tracks' open files, as start-up and shutdown see them.
#pragma once

#include <cstdint>

// Marks every Ogg Vorbis track slot closed (start-up, sound mode 2).
void ClearMusicOpenFlags();

// Closes the tracks' files: all 64 WAVE files in mode 1, the open Ogg Vorbis streams in mode 2.
void CloseMusicTracks(int32_t audioMode);
