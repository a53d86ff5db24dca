// Picture slots on the software device: a decoded sheet becomes its 5-bit texels, as on every
// backend, then a 32-bit copy of them (1 MB a sheet) that the drawing reads directly.
#include <new>

#include "render/backends.h"
#include "render/device_rules.h"
#include "render/picture_bits.h"
#include "render/render.h"
#include "render/soft_local.h"

namespace {

// A 5-bit channel as a byte, its top bits repeated below it as the OpenGL path widens it.
uint32_t Widen(uint32_t fiveBits) {
    return (fiveBits << 3) | (fiveBits >> 2);
}

uint32_t Texel32(uint16_t t) {
    const uint32_t alpha = (t & 0x8000u) != 0 ? 0xFF000000u : 0;
    return alpha | Widen((t >> 10) & 31) << 16 | Widen((t >> 5) & 31) << 8 | Widen(t & 31);
}

void ReleaseSlot(SoftwareDevice& d, int32_t slot) {
    if (d.texels[slot] == nullptr)
        return;
    delete[] d.texels[slot];
    d.texels[slot] = nullptr;
    ForgetSheet(*d.sheets, slot);
    d.history->valid = false;  // the slot samples as black from now on
}

}  // namespace

int32_t CreateSoftwareTexture(CDx_Gr& g, int32_t slot, const PictureBits* picture) {
    if (g.softwareDevice == nullptr)
        return 0;
    const auto texels = SheetTexels(slot, picture);
    if (texels == nullptr)
        return 0;
    SoftwareDevice& d = *g.softwareDevice;
    ReleaseSlot(d, slot);
    uint32_t* wide = new (std::nothrow) uint32_t[kPictureTexels];
    if (wide == nullptr)
        return 0;
    for (int32_t i = 0; i < kPictureTexels; ++i) wide[i] = Texel32(texels[i]);
    d.texels[slot] = wide;
    NoteSheetTexels(*d.sheets, slot, texels.get());
    d.history->valid = false;  // a new picture may show anywhere
    return 1;
}

void ReleaseSoftwarePicture(CDx_Gr& g, int32_t slot) {
    if (g.softwareDevice == nullptr || slot < 0 || slot >= kPictureSlots)
        return;
    ReleaseSlot(*g.softwareDevice, slot);
}

void ReleaseSoftwarePictures(SoftwareDevice& d) {
    for (int32_t slot = kPictureSlots - 1; slot >= 0; --slot) ReleaseSlot(d, slot);
}
