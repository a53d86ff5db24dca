// FreeType glyph rendering into coverage maps.
#include "tools/assetgen/font_raster.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <cstdio>

FontFace::~FontFace() {
    if (face != nullptr)
        FT_Done_Face(face);
    if (library != nullptr)
        FT_Done_FreeType(library);
}

bool FontFace::Open(const char* path) {
    if (FT_Init_FreeType(&library) != 0) {
        std::fprintf(stderr, "assetgen: FreeType could not start\n");
        return false;
    }
    if (FT_New_Face(library, path, 0, &face) != 0) {
        std::fprintf(stderr,
                     "assetgen: cannot read the font %s (install the Debian package "
                     "fonts-dejavu-core)\n",
                     path);
        face = nullptr;
        return false;
    }
    return true;
}

void FontFace::SetPixelSize(int emWidth, int emHeight) {
    FT_Set_Pixel_Sizes(face, static_cast<FT_UInt>(emWidth), static_cast<FT_UInt>(emHeight));
}

float FontFace::Measure(const std::string& text, float letterSpacing) const {
    float pen = 0;
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0)
            continue;
        pen += static_cast<float>(face->glyph->advance.x) / 64.0f + letterSpacing;
    }
    return pen - letterSpacing;
}

Coverage FontFace::Render(const std::string& text, int width, int height, int x, int baseline,
                          float letterSpacing) const {
    Coverage out(width, height);
    float pen = static_cast<float>(x);
    for (unsigned char c : text) {
        if (FT_Load_Char(face, c, FT_LOAD_DEFAULT) != 0)
            continue;
        FT_GlyphSlot g = face->glyph;
        if (g->format == FT_GLYPH_FORMAT_OUTLINE && (emboldenX > 0 || emboldenY > 0)) {
            FT_Outline_EmboldenXY(&g->outline, static_cast<FT_Pos>(emboldenX * 64),
                                  static_cast<FT_Pos>(emboldenY * 64));
        }
        if (FT_Render_Glyph(g, FT_RENDER_MODE_NORMAL) != 0)
            continue;
        int left = static_cast<int>(pen) + g->bitmap_left;
        int top = baseline - g->bitmap_top;
        for (unsigned int row = 0; row < g->bitmap.rows; ++row) {
            for (unsigned int col = 0; col < g->bitmap.width; ++col) {
                float v = g->bitmap.buffer[row * g->bitmap.pitch + col] / 255.0f;
                out.Add(left + static_cast<int>(col), top + static_cast<int>(row), v);
            }
        }
        pen += static_cast<float>(g->advance.x) / 64.0f + letterSpacing;
    }
    return out;
}
