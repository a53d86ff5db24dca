// Drawing on a sheet canvas and painting rendered lettering.
#include "tools/assetgen/canvas.h"

#include <algorithm>

Rgb Mix(Rgb a, Rgb b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

Rgb Scale(Rgb c, float k) {
    return {c.r * k, c.g * k, c.b * k};
}

Rgb Hex(uint32_t v) {
    return {static_cast<float>((v >> 16) & 0xFF), static_cast<float>((v >> 8) & 0xFF),
            static_cast<float>(v & 0xFF)};
}

Canvas::Canvas() : colour(kSheetSize * kSheetSize), opaque(kSheetSize * kSheetSize, 0) {}

void Canvas::Set(int x, int y, Rgb c) {
    if (!Inside(x, y))
        return;
    colour[y * kSheetSize + x] = c;
    opaque[y * kSheetSize + x] = 1;
}

void Canvas::Blend(int x, int y, Rgb c, float a) {
    if (!Inside(x, y))
        return;
    Rgb& d = colour[y * kSheetSize + x];
    d = IsOpaque(x, y) ? Mix(d, c, a) : c;
    opaque[y * kSheetSize + x] = 1;
}

void Canvas::Clear(int x, int y) {
    if (!Inside(x, y))
        return;
    colour[y * kSheetSize + x] = Rgb{};
    opaque[y * kSheetSize + x] = 0;
}

void Canvas::FillRect(int x, int y, int w, int h, Rgb c) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Set(i, j, c);
}

void Canvas::ClearRect(int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) Clear(i, j);
}

void Canvas::FillGradient(int x, int y, int w, int h, Rgb top, Rgb bottom) {
    for (int j = 0; j < h; ++j) {
        Rgb c = Mix(top, bottom, h > 1 ? static_cast<float>(j) / (h - 1) : 0.0f);
        for (int i = 0; i < w; ++i) Set(x + i, y + j, c);
    }
}

void Canvas::FrameRect(int x, int y, int w, int h, Rgb c) {
    FillRect(x, y, w, 1, c);
    FillRect(x, y + h - 1, w, 1, c);
    FillRect(x, y, 1, h, c);
    FillRect(x + w - 1, y, 1, h, c);
}

Coverage::Coverage(int w, int h) : width(w), height(h), value(static_cast<size_t>(w) * h, 0.0f) {}

void Coverage::Add(int x, int y, float v) {
    if (x < 0 || y < 0 || x >= width || y >= height)
        return;
    float& d = value[y * width + x];
    d = std::min(1.0f, d + v);
}

Coverage Coverage::Grown(int r) const {
    Coverage out(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            float best = 0;
            for (int dy = -r; dy <= r; ++dy)
                for (int dx = -r; dx <= r; ++dx)
                    if (dx * dx + dy * dy <= r * r + r)
                        best = std::max(best, At(x + dx, y + dy));
            out.value[y * width + x] = best;
        }
    }
    return out;
}

bool Coverage::InkBounds(int* x0, int* x1, int* y0, int* y1) const {
    *x0 = width;
    *y0 = height;
    *x1 = -1;
    *y1 = -1;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if (At(x, y) < 0.3f)
                continue;
            *x0 = std::min(*x0, x);
            *x1 = std::max(*x1, x);
            *y0 = std::min(*y0, y);
            *y1 = std::max(*y1, y);
        }
    }
    return *x1 >= 0;
}

void PaintLettering(Canvas& canvas, const Coverage& ink, int x, int y, const LetterStyle& style) {
    Coverage edge = ink.Grown(style.outlineRadius);
    for (int j = 0; j < ink.height; ++j) {
        float t = 0;
        if (style.gradientBottom > style.gradientTop)
            t = std::clamp(static_cast<float>(j - style.gradientTop) /
                               (style.gradientBottom - style.gradientTop),
                           0.0f, 1.0f);
        Rgb fill = Mix(style.top, style.bottom, t);
        for (int i = 0; i < ink.width; ++i) {
            float a = ink.At(i, j);
            float e = std::max(edge.At(i, j), edge.At(i - style.shadowX, j - style.shadowY));
            if (a < style.inkThreshold && e < 0.5f)
                continue;
            canvas.Set(x + i, y + j, Mix(style.outline, fill, a));
        }
    }
}
