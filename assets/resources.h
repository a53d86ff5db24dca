// Start-up loading of every resource: the angle tables, the sound lists, effects and music
// tracks with their loop files, the streaming thread, the picture list and the first pictures.
#pragma once

// False when anything needed could not be loaded (its message has been shown).
[[nodiscard]] bool LoadResources();

// Fills the cosine and sine tables of the scene store (256 steps per turn).
class MapSceneEntity;
void FillAngleTables(MapSceneEntity& scene);
