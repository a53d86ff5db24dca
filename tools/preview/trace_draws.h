// Draw lists taken from tessaroid-trace output: the "draws" of one frame's JSON line, as the
// game's own scenes submitted them.
#pragma once

#include <string>
#include <vector>

#include "tools/preview/compositor.h"

using SpriteList = std::vector<Sprite>;

// Reads the last line of the trace file that carries a draw list. False when there is none.
[[nodiscard]] bool ReadTraceDraws(const std::string& tracePath, SpriteList* out);
