// Encodes small PNG files for tests with libpng: any size, depth and colour type, each
// pixel given by a function, so the tests can make the sheets they need and break them.
#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

struct PngPicture {
    int width = 512;
    int height = 512;
    int bitDepth = 8;
    int colorType = PNG_COLOR_TYPE_PALETTE;
    bool interlaced = false;
    std::vector<std::array<uint8_t, 3>> palette;  // palette pictures only
    // The pixel's samples: an index or grey level, 0xRRGGBB, 0xRRGGBBAA or 0xGGAA.
    std::function<uint32_t(int x, int y)> pixel = [](int, int) { return 0u; };
};

[[nodiscard]] std::vector<uint8_t> EncodePng(const PngPicture& picture);

// A 512 x 512, 8-bit palette sheet of one colour (index 1), with index 0 black.
[[nodiscard]] std::vector<uint8_t> PlainSheet(uint8_t red, uint8_t green, uint8_t blue);
