// Drawing sprites the way the game's blend kinds and point sampler do.
#include "tools/preview/compositor.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {

bool ReadSheet(const std::string& path, SheetImage& out) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_PALETTE ||
        png_get_image_width(png, info) != 512 || png_get_image_height(png, info) != 512) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_set_packing(png);
    png_colorp colours = nullptr;
    int count = 0;
    png_get_PLTE(png, info, &colours, &count);
    out.palette.assign(256, 0);
    for (int i = 0; i < count; ++i)
        out.palette[i] = (colours[i].red << 16) | (colours[i].green << 8) | colours[i].blue;
    out.index.assign(512 * 512, 0);
    std::vector<png_bytep> rows(512);
    for (int y = 0; y < 512; ++y) rows[y] = &out.index[y * 512];
    png_read_image(png, rows.data());
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    out.loaded = true;
    return true;
}

float Channel(uint32_t c, int shift) {
    return static_cast<float>((c >> shift) & 0xFF);
}

}  // namespace

Compositor::Compositor() : screen(kScreenW * kScreenH, 0) {}

bool Compositor::LoadSheets(const std::string& dataFolder) {
    for (int n = 0; n < 8; ++n) {
        char name[64];
        std::snprintf(name, sizeof name, "grp/grp_%04d.png", n);
        if (!ReadSheet(dataFolder + name, sheets[n])) {
            std::fprintf(stderr, "preview: cannot read %s%s\n", dataFolder.c_str(), name);
            return false;
        }
    }
    return true;
}

void Compositor::Clear() {
    screen.assign(kScreenW * kScreenH, 0);
}

// Blend kinds of the renderer for blend mode 0: translucent colours mix by the factor F,
// opaque white replaces, opaque tinted replaces with the tint. Transparent texels are
// never written; a sheet with no picture samples as opaque black.
void Compositor::Draw(const Sprite& s) {
    float a = Channel(s.color, 24) / 256.0f;
    float f[3] = {Channel(s.color, 16) / 256.0f * a, Channel(s.color, 8) / 256.0f * a,
                  Channel(s.color, 0) / 256.0f * a};
    bool translucent = (s.color >> 24) != 255;
    bool white = (s.color & 0xFFFFFF) == 0xFFFFFF;
    int x0 = std::min(s.dstX, s.dstX + s.dstW), x1 = std::max(s.dstX, s.dstX + s.dstW);
    int y0 = std::min(s.dstY, s.dstY + s.dstH), y1 = std::max(s.dstY, s.dstY + s.dstH);
    const SheetImage* sheet = s.sheet >= 0 && s.sheet < 8 ? &sheets[s.sheet] : nullptr;
    for (int y = std::max(0, y0); y < std::min(kScreenH, y1); ++y) {
        for (int x = std::max(0, x0); x < std::min(kScreenW, x1); ++x) {
            uint32_t texel = 0;
            if (sheet != nullptr) {
                int u = s.srcX + static_cast<int>(std::floor((x - s.dstX + 0.5) * s.srcW / s.dstW));
                int v = s.srcY + static_cast<int>(std::floor((y - s.dstY + 0.5) * s.srcH / s.dstH));
                u &= 511;  // the sampler wraps
                v &= 511;
                uint8_t i = sheet->index[v * 512 + u];
                if (i == 0)
                    continue;
                texel = sheet->palette[i];
            }
            uint32_t& d = screen[y * kScreenW + x];
            float out[3];
            for (int c = 0; c < 3; ++c) {
                int shift = 16 - 8 * c;
                float src = Channel(texel, shift);
                float dst = Channel(d, shift);
                if (translucent)
                    out[c] = src * f[c] + dst * (1 - f[c]);
                else if (white)
                    out[c] = src;
                else
                    out[c] = src * f[c] / a;
            }
            d = (static_cast<uint32_t>(out[0]) << 16) | (static_cast<uint32_t>(out[1]) << 8) |
                static_cast<uint32_t>(out[2]);
        }
    }
}

bool Compositor::WritePng(const std::string& path) const {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_IHDR(png, info, kScreenW, kScreenH, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(kScreenW * 3);
    for (int y = 0; y < kScreenH; ++y) {
        for (int x = 0; x < kScreenW; ++x) {
            uint32_t c = screen[y * kScreenW + x];
            row[3 * x] = static_cast<png_byte>(c >> 16);
            row[3 * x + 1] = static_cast<png_byte>(c >> 8);
            row[3 * x + 2] = static_cast<png_byte>(c);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}
