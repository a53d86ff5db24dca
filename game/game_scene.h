// The game scene (scene 4): pause, fades, background, the play frame and the overlays.
#pragma once

#include <cstdint>

class MapSceneEntity;
class System;
class CXa2;

inline constexpr int32_t kPausePlaying = 0;
inline constexpr int32_t kPauseOpening = 1;
inline constexpr int32_t kPauseOpenHeld = 2;  // open, waiting for the button's release
inline constexpr int32_t kPauseOpen = 4;
inline constexpr int32_t kPauseClosing = 8;
inline constexpr int32_t kPauseClosedHeld = 16;  // closed, waiting for the button's release
inline constexpr int32_t kPauseSteps = 8;

// The scene-4 frame function; returns 1.
int32_t RunGameFrame();

// One step of the pause state machine on the PAUSE button as held now.
void StepPause(MapSceneEntity& scene, const System& system, CXa2& audio);
