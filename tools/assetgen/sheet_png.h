// Writes a sheet canvas as the game's picture format: a 512 x 512 8-bit palette PNG whose
// index 0 is every transparent pixel and whose indices 1..255 hold the drawn colours.
#pragma once

#include <string>

#include "tools/assetgen/canvas.h"

// Reduces the canvas to at most 255 colours (exactly, when it uses no more) and writes the
// PNG. Deterministic: the same canvas always gives the same bytes. False on a write error.
[[nodiscard]] bool WriteSheetPng(const Canvas& canvas, const std::string& path);
