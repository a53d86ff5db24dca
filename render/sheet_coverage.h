// Which texels of each picture slot are transparent, kept beside the textures, so that the
// sprite batch can tell a command that overwrites every pixel it covers. Shared by every
// graphics backend; filled when a slot's texture is made and forgotten when it is released.
#pragma once

#include <cstdint>

#include "render/picture_bits.h"
#include "render/quad_pixels.h"
#include "render/sprite_batch_rules.h"

struct SheetCoverage {
    // A slot without a texture samples as opaque black.
    bool loaded[kPictureSlots] = {};
    // One bit per texel, rows top first, set where the texel is transparent.
    uint64_t transparent[kPictureSlots][kPictureSide][kPictureSide / 64] = {};
};

// Records a slot's texels (top row first; bit 15 is the texel's alpha).
void NoteSheetTexels(SheetCoverage& coverage, int32_t slot, const uint16_t* texels);
void ForgetSheet(SheetCoverage& coverage, int32_t slot);

// True when every texel of the spans, wrapped round the sheet as the sampler wraps, is
// opaque (or, for TransparentTexels, transparent). A picture of kNoPicture or an empty slot
// is opaque throughout.
[[nodiscard]] bool OpaqueTexels(const SheetCoverage& coverage, int32_t picture, TexelSpan columns,
                                TexelSpan rows);
[[nodiscard]] bool TransparentTexels(const SheetCoverage& coverage, int32_t picture,
                                     TexelSpan columns, TexelSpan rows);
