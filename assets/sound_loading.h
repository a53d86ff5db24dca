// The sound stage of start-up loading: the sound list, the 32 effects, the 64 music tracks
// with their loop files, the music voice and the streaming thread.
#pragma once

class System;
class MapSceneEntity;

// Does nothing (true) without sound: sound mode 0, or no audio engine. False when something
// needed could not be loaded; its message or standard-error line has been given.
[[nodiscard]] bool LoadSounds(System& system, MapSceneEntity& scene);
