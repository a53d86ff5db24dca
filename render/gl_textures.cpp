// Picture slots on the OpenGL device: a decoded sheet becomes a 512 x 512 GL_RGB5_A1 texture
// (palette index 0 transparent), the same texels the game's B5G5R5A1 format holds.
#include <memory>
#include <new>

#include "render/backends.h"
#include "render/device_rules.h"
#include "render/gl_local.h"
#include "render/picture_bits.h"
#include "render/render.h"

int32_t CreateGlTexture(CDx_Gr& g, int32_t slot, const PictureBits* picture) {
    if (g.device == nullptr)
        return 0;
    const auto texels = SheetTexels(slot, picture);
    if (texels == nullptr)
        return 0;
    RenderDevice& d = *g.device;
    ReleasePictureTexture(d, slot);
    while (glGetError() != GL_NO_ERROR) {
    }
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 2);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    // Bit 15 alpha, then red, green, blue: BGRA order, packed from the low bits up.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB5_A1, kPictureSide, kPictureSide, 0, GL_BGRA,
                 GL_UNSIGNED_SHORT_1_5_5_5_REV, texels.get());
    if (glGetError() != GL_NO_ERROR) {
        glDeleteTextures(1, &texture);
        return 0;
    }
    d.textures[slot] = texture;
    NoteSheetTexels(*d.sheets, slot, texels.get());
    d.history->valid = false;  // a new picture may show anywhere
    return 1;
}

void ReleaseGlPicture(CDx_Gr& g, int32_t slot) {
    if (g.device == nullptr || slot < 0 || slot >= kPictureSlots)
        return;
    ReleasePictureTexture(*g.device, slot);
}
