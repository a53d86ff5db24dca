// The bitmap a PNG sheet is decoded into on its way to a texture: 512 x 512, rows stored
// bottom-up, 8-bit palette indices with a 256-entry colour table or 24-bit pixels. On
// Windows it is a GDI DIB section, elsewhere plain memory; the renderer reads either through
// the PictureBits that DescribePictureSection gives. A section is made, filled and deleted by
// one thread at a time (the picture prefetch decodes sheets on its own).
#pragma once

#include <cstdint>

struct PictureBits;
struct PictureSection;

// A section of 8 or 24 bits per pixel, its rows for the decoder to fill. Null when it cannot
// be had.
[[nodiscard]] PictureSection* CreatePictureSection(int32_t bitsPerPixel);

// The section's rows, for the decoder to write (PictureRowStride bytes each, bottom row first).
[[nodiscard]] uint8_t* PictureSectionRows(PictureSection* section);

// Sets colour-table entries 0..255 (blue, green, red, 0) of an 8-bit section.
void SetPictureSectionColors(PictureSection* section, const uint8_t (*colors)[4]);

// The section as the renderer reads it: size, depth, colour table and rows, valid until the
// section is deleted. False when the section cannot describe itself.
[[nodiscard]] bool DescribePictureSection(PictureSection* section, PictureBits* out);

void DeletePictureSection(PictureSection* section);
