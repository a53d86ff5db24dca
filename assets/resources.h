// Start-up loading of every resource: the angle tables, the sound lists, effects and music
// tracks with their loop files, the streaming thread, the picture list and the first pictures.
#pragma once

#include "platform/path16.h"

class System;
class MapSceneEntity;

// False when anything needed could not be loaded (its message has been shown).
[[nodiscard]] bool LoadResources();

// dataPath + name into path. False when it does not fit; path is then empty, opening nothing.
[[nodiscard]] bool DataFilePath(const System& system, const char16_t* name,
                                char16_t (&path)[kPathUnits]);

// Fills the cosine and sine tables of the scene store (256 steps per turn).
void FillAngleTables(MapSceneEntity& scene);
