#include "tests/unit/png_test_file.h"

namespace {

void Append(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void Flush(png_structp) {}

int Channels(int colorType) {
    switch (colorType) {
        case PNG_COLOR_TYPE_RGB:
            return 3;
        case PNG_COLOR_TYPE_RGB_ALPHA:
            return 4;
        case PNG_COLOR_TYPE_GRAY_ALPHA:
            return 2;
        default:
            return 1;
    }
}

// One row of samples, most significant byte first; depths below 8 one byte per pixel
// (libpng packs them).
std::vector<uint8_t> Row(const PngPicture& p, int y) {
    const int channels = Channels(p.colorType);
    const int bytes = p.bitDepth == 16 ? 2 : 1;
    std::vector<uint8_t> row;
    for (int x = 0; x < p.width; ++x) {
        const uint32_t v = p.pixel(x, y);
        for (int c = channels - 1; c >= 0; --c) {
            const uint32_t sample = channels == 1 ? v : (v >> (8 * c)) & 255;
            if (bytes == 2)
                row.push_back(static_cast<uint8_t>(sample));
            row.push_back(static_cast<uint8_t>(sample));
        }
    }
    return row;
}

}  // namespace

std::vector<uint8_t> EncodePng(const PngPicture& p) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png)) != 0) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, Append, Flush);
    png_set_check_for_invalid_index(png, 0);  // tests write indices past a short palette
    png_set_IHDR(png, info, p.width, p.height, p.bitDepth, p.colorType,
                 p.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (const auto& c : p.palette) palette.push_back(png_color{c[0], c[1], c[2]});
    if (!palette.empty())
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    png_write_info(png, info);
    if (p.bitDepth < 8)
        png_set_packing(png);
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (int y = 0; y < p.height; ++y) rows.push_back(Row(p, y));
    for (auto& r : rows) pointers.push_back(r.data());
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> PlainSheet(uint8_t red, uint8_t green, uint8_t blue) {
    PngPicture p;
    p.palette = {{0, 0, 0}, {red, green, blue}};
    p.pixel = [](int, int) { return 1u; };
    return EncodePng(p);
}
