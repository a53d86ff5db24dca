// Picture sections in plain memory, where there is no GDI: the rows and the colour table
// live in one block that the section owns.
#include <cstring>
#include <new>

#include "assets/picture_section.h"
#include "render/picture_bits.h"

struct PictureSection {
    PictureBits picture;
    uint8_t rows[kPictureTexels * 3];
};

PictureSection* CreatePictureSection(int32_t bitsPerPixel) {
    if (bitsPerPixel != 8 && bitsPerPixel != 24)
        return nullptr;
    // The rows are left as they come: the decoder writes every byte of them that is read.
    auto* section = new (std::nothrow) PictureSection;
    if (section == nullptr)
        return nullptr;
    section->picture.bitsPerPixel = bitsPerPixel;
    section->picture.bits = section->rows;
    return section;
}

uint8_t* PictureSectionRows(PictureSection* section) {
    return section->rows;
}

void SetPictureSectionColors(PictureSection* section, const uint8_t (*colors)[4]) {
    std::memcpy(section->picture.colors, colors, sizeof section->picture.colors);
}

bool DescribePictureSection(PictureSection* section, PictureBits* out) {
    *out = section->picture;
    return true;
}

void DeletePictureSection(PictureSection* section) {
    delete section;
}
