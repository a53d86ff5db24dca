// Palette reduction and PNG writing for the picture sheets. The palette is found by
// splitting the colour cube where the squared error drops most (so small, vivid details
// such as the cell tiles keep their own colours beside large gradients), then every pixel
// takes its nearest palette colour.
#include "tools/assetgen/sheet_png.h"

#include <png.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

namespace {

constexpr int kColours = 255;  // index 0 is transparent

using Key = uint32_t;  // 0xRRGGBB

Key KeyOf(Rgb c) {
    auto q = [](float v) { return static_cast<uint32_t>(std::clamp(std::lround(v), 0L, 255L)); };
    return (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
}

int Channel(Key k, int axis) {
    return static_cast<int>((k >> (16 - 8 * axis)) & 0xFF);
}

struct Entry {
    Key key;
    double count;
};

struct Box {
    std::vector<Entry> entries;
    double error = 0;  // squared distance of every pixel to the box mean
    std::array<double, 3> mean{};
};

void Measure(Box& box) {
    double n = 0;
    std::array<double, 3> sum{}, sq{};
    for (const Entry& e : box.entries) {
        n += e.count;
        for (int a = 0; a < 3; ++a) {
            double v = Channel(e.key, a);
            sum[a] += v * e.count;
            sq[a] += v * v * e.count;
        }
    }
    box.error = 0;
    for (int a = 0; a < 3; ++a) {
        box.mean[a] = n > 0 ? sum[a] / n : 0;
        box.error += sq[a] - (n > 0 ? sum[a] * sum[a] / n : 0);
    }
}

// Splits along the axis and at the position that leave the least total error.
bool Split(Box& box, Box* second) {
    if (box.entries.size() < 2)
        return false;
    double bestError = -1;
    int bestAxis = 0;
    size_t bestAt = 0;
    for (int a = 0; a < 3; ++a) {
        std::stable_sort(box.entries.begin(), box.entries.end(),
                         [a](const Entry& x, const Entry& y) {
                             return Channel(x.key, a) != Channel(y.key, a)
                                        ? Channel(x.key, a) < Channel(y.key, a)
                                        : x.key < y.key;
                         });
        std::vector<std::array<double, 3>> s(box.entries.size() + 1), q(box.entries.size() + 1);
        std::vector<double> n(box.entries.size() + 1, 0);
        for (size_t i = 0; i < box.entries.size(); ++i) {
            const Entry& e = box.entries[i];
            n[i + 1] = n[i] + e.count;
            for (int c = 0; c < 3; ++c) {
                double v = Channel(e.key, c);
                s[i + 1][c] = s[i][c] + v * e.count;
                q[i + 1][c] = q[i][c] + v * v * e.count;
            }
        }
        size_t m = box.entries.size();
        for (size_t i = 1; i < m; ++i) {
            if (Channel(box.entries[i].key, a) == Channel(box.entries[i - 1].key, a))
                continue;
            double err = 0;
            for (int c = 0; c < 3; ++c) {
                double s1 = s[i][c], q1 = q[i][c], s2 = s[m][c] - s1, q2 = q[m][c] - q1;
                err += q1 - s1 * s1 / n[i] + q2 - s2 * s2 / (n[m] - n[i]);
            }
            if (bestError < 0 || err < bestError) {
                bestError = err;
                bestAxis = a;
                bestAt = i;
            }
        }
    }
    if (bestError < 0)
        return false;
    int a = bestAxis;
    std::stable_sort(box.entries.begin(), box.entries.end(), [a](const Entry& x, const Entry& y) {
        return Channel(x.key, a) != Channel(y.key, a) ? Channel(x.key, a) < Channel(y.key, a)
                                                      : x.key < y.key;
    });
    second->entries.assign(box.entries.begin() + static_cast<long>(bestAt), box.entries.end());
    box.entries.resize(bestAt);
    Measure(box);
    Measure(*second);
    return true;
}

std::vector<Key> FindPalette(const std::map<Key, double>& histogram) {
    std::vector<Key> palette;
    if (histogram.size() <= kColours) {
        for (const auto& [key, count] : histogram) palette.push_back(key);
        return palette;
    }
    std::vector<Box> boxes(1);
    for (const auto& [key, count] : histogram) boxes[0].entries.push_back({key, count});
    Measure(boxes[0]);
    while (boxes.size() < kColours) {
        size_t worst = 0;
        for (size_t i = 1; i < boxes.size(); ++i)
            if (boxes[i].error > boxes[worst].error)
                worst = i;
        Box second;
        if (boxes[worst].error <= 0 || !Split(boxes[worst], &second))
            break;
        boxes.push_back(std::move(second));
    }
    for (const Box& b : boxes) {
        Key k = (static_cast<Key>(std::lround(b.mean[0])) << 16) |
                (static_cast<Key>(std::lround(b.mean[1])) << 8) |
                static_cast<Key>(std::lround(b.mean[2]));
        palette.push_back(k);
    }
    return palette;
}

uint8_t Nearest(Key k, const std::vector<Key>& palette) {
    int best = 0;
    long bestD = -1;
    for (size_t i = 0; i < palette.size(); ++i) {
        long d = 0;
        for (int a = 0; a < 3; ++a) {
            long t = Channel(k, a) - Channel(palette[i], a);
            d += t * t;
        }
        if (bestD < 0 || d < bestD) {
            bestD = d;
            best = static_cast<int>(i);
        }
    }
    return static_cast<uint8_t>(best + 1);
}

bool WritePng(const std::string& path, const std::vector<uint8_t>& indices,
              const std::vector<Key>& palette) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (f == nullptr)
        return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_set_compression_level(png, 9);
    png_set_IHDR(png, info, kSheetSize, kSheetSize, 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::array<png_color, 256> colours{};
    for (size_t i = 0; i < palette.size(); ++i) {
        colours[i + 1] = {static_cast<png_byte>(Channel(palette[i], 0)),
                          static_cast<png_byte>(Channel(palette[i], 1)),
                          static_cast<png_byte>(Channel(palette[i], 2))};
    }
    png_set_PLTE(png, info, colours.data(), static_cast<int>(palette.size()) + 1);
    // The game takes index 0 as transparent by itself; the tRNS entry tells other viewers.
    png_byte alpha0 = 0;
    png_set_tRNS(png, info, &alpha0, 1, nullptr);
    png_write_info(png, info);
    for (int y = 0; y < kSheetSize; ++y)
        png_write_row(png, const_cast<png_bytep>(&indices[static_cast<size_t>(y) * kSheetSize]));
    png_write_end(png, info);
    png_destroy_write_struct(&png, &info);
    return std::fclose(f) == 0;
}

}  // namespace

bool WriteSheetPng(const Canvas& canvas, const std::string& path) {
    std::map<Key, double> histogram;
    for (int i = 0; i < kSheetSize * kSheetSize; ++i)
        if (canvas.opaque[i])
            histogram[KeyOf(canvas.colour[i])] += 1;
    std::vector<Key> palette = FindPalette(histogram);
    std::map<Key, uint8_t> lookup;
    for (const auto& [key, count] : histogram) lookup[key] = Nearest(key, palette);
    std::vector<uint8_t> indices(kSheetSize * kSheetSize, 0);
    for (int i = 0; i < kSheetSize * kSheetSize; ++i)
        if (canvas.opaque[i])
            indices[i] = lookup[KeyOf(canvas.colour[i])];
    return WritePng(path, indices, palette);
}
