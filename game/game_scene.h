// The game scene (scene 4): pause, fades, background, the play frame and the overlays.
#pragma once

#include <cstdint>

// The scene-4 frame function; returns 1.
int32_t RunGameFrame();
