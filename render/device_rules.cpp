// The backends' shared rules for device size and picture slots.
#include "render/device_rules.h"

#include <new>

#include "render/picture_bits.h"
#include "render/sprite_batch_rules.h"

CreationSize ChooseCreationSize(CreationSize& first, int32_t clientWidth, int32_t clientHeight,
                                int32_t fullScreen) {
    CreationSize size{clientWidth, clientHeight};
    if (first.width == 0) {
        first = size;
    } else if (fullScreen == 1) {
        size = first;
    }
    size.width = size.width > 0 ? size.width : 1;
    size.height = size.height > 0 ? size.height : 1;
    return size;
}

std::unique_ptr<uint16_t[]> SheetTexels(int32_t slot, const PictureBits* picture) {
    if (picture == nullptr || slot < 0 || slot >= kPictureSlots)
        return nullptr;
    if (picture->width != kPictureSide || picture->height != kPictureSide)
        return nullptr;
    std::unique_ptr<uint16_t[]> texels(new (std::nothrow) uint16_t[kPictureTexels]);
    if (texels != nullptr)
        ConvertTexels5551(*picture, texels.get());
    return texels;
}
