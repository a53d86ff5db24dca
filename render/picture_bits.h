// PictureBits: a decoded sheet as the picture loader hands it to the renderer, the
// description of a 512 x 512 bitmap section: 8-bit palette indices with a 256-entry colour
// table, or 24-bit pixels, rows stored bottom-up in memory the section owns.
// ConvertTexels5551 turns it into the sheet's texels.
#pragma once

#include <cstdint>

inline constexpr int32_t kPictureSide = 512;
inline constexpr int32_t kPictureTexels = kPictureSide * kPictureSide;

struct PictureBits {
    int32_t width = kPictureSide;
    int32_t height = kPictureSide;
    int32_t bitsPerPixel = 8;  // 8: palette indices; 24: blue, green, red per pixel
    // Colour table entries as blue, green, red, 0; entries past the palette stay black.
    uint8_t colors[256][4] = {};
    // Rows bottom-up: memory row m holds picture row (height - 1 - m). Not owned.
    const uint8_t* bits = nullptr;
};

// Bytes from one stored row to the next, rounded up to four bytes.
[[nodiscard]] inline int32_t PictureRowStride(int32_t bitsPerPixel, int32_t width) {
    return ((bitsPerPixel * width + 31) / 32) * 4;
}
[[nodiscard]] inline int32_t PictureRowStride(const PictureBits& p) {
    return PictureRowStride(p.bitsPerPixel, p.width);
}

// The transparent texel: palette index 0, whatever colour the palette gives it.
inline constexpr uint16_t kTransparentTexel = 0x7C1F;

// Fills 512 x 512 texels (top row first; bit 15 alpha, 14-10 red, 9-5 green, 4-0 blue).
// Palette pictures: index 0 transparent, every other index its colour, opaque. 24-bit
// pictures, which have no indices: every pixel its own colour, opaque.
void ConvertTexels5551(const PictureBits& picture, uint16_t* texels);
