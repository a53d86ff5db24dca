// The title and menu scene (scene 1), which also runs the settings and ranking panels.
#pragma once

#include <cstdint>

// The scene-1 frame function; returns 1.
int32_t RunTitleFrame();
