// The sheet's texels from a decoded picture. Reading the stored rows bottom-up undoes the
// flip the loader made when it stored them, so texel row t is picture row t.
#include "render/picture_bits.h"

namespace {

uint16_t Opaque5551(uint8_t red, uint8_t green, uint8_t blue) {
    return static_cast<uint16_t>(0x8000u | ((red >> 3) << 10) | ((green >> 3) << 5) | (blue >> 3));
}

}  // namespace

void ConvertTexels5551(const PictureBits& picture, uint16_t* texels) {
    uint16_t table[256];
    table[0] = kTransparentTexel;
    for (int i = 1; i < 256; ++i) {
        const uint8_t* c = picture.colors[i];
        table[i] = Opaque5551(c[2], c[1], c[0]);
    }
    const int32_t stride = PictureRowStride(picture);
    for (int32_t t = 0; t < kPictureSide; ++t) {
        const uint8_t* row = picture.bits + static_cast<int64_t>(stride) * (picture.height - 1 - t);
        uint16_t* out = texels + static_cast<int64_t>(kPictureSide) * t;
        if (picture.bitsPerPixel == 24) {
            for (int32_t x = 0; x < kPictureSide; ++x) {
                const uint8_t* p = row + 3 * x;
                out[x] = Opaque5551(p[2], p[1], p[0]);
            }
        } else {
            for (int32_t x = 0; x < kPictureSide; ++x) out[x] = table[row[x]];
        }
    }
}
