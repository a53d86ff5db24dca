// Rules every graphics backend follows in the same way: the size a device is created at,
// and what a picture slot accepts. The backends keep the state; these only decide.
#pragma once

#include <cstdint>
#include <memory>

struct PictureBits;

// The size the device is drawn at. The first creation takes the window's client size and
// remembers it in first; a re-creation in full screen takes the remembered size (the full
// screen's own would change the game's resolution), in a window the client size again.
// Never less than 1 x 1.
struct CreationSize {
    int32_t width = 0;
    int32_t height = 0;
};
[[nodiscard]] CreationSize ChooseCreationSize(CreationSize& first, int32_t clientWidth,
                                              int32_t clientHeight, int32_t fullScreen);

// The texels of a sheet for picture slot slot (512 x 512, top row first), or null when the
// slot or the picture cannot be taken or there is no memory for them.
[[nodiscard]] std::unique_ptr<uint16_t[]> SheetTexels(int32_t slot, const PictureBits* picture);
