// Pixel and texel bounds of finished quads. Worked in double precision with margins wider
// than any rounding a rasteriser does, so "reach" is never too small and "interior" never too
// large.
#include "render/quad_pixels.h"

#include <algorithm>
#include <cmath>

namespace {

// How far an interpolated texture coordinate may stray, in texels.
constexpr double kTexelSlop = 0.01;

double WindowX(float clipX, int32_t width) {
    return (static_cast<double>(clipX) + 1.0) * 0.5 * width;
}
double WindowY(float clipY, int32_t height) {
    return (static_cast<double>(clipY) + 1.0) * 0.5 * height;
}

// A coordinate kept within a pixel of the frame before it becomes an integer.
int32_t Clamped(double v, int32_t size) {
    return static_cast<int32_t>(std::clamp(v, -1.0, static_cast<double>(size) + 1.0));
}

PixelRect ClipToFrame(PixelRect r, int32_t width, int32_t height) {
    return Intersection(r, PixelRect{0, 0, width, height});
}

// Texels sampled between two pixel centres a and b of an edge from (p0, t0) to (p1, t1).
TexelSpan SpanBetween(double a, double b, double p0, double p1, double t0, double t1,
                      int32_t side) {
    const double s0 = (t0 + (a - p0) / (p1 - p0) * (t1 - t0)) * side;
    const double s1 = (t0 + (b - p0) / (p1 - p0) * (t1 - t0)) * side;
    const double lo = std::floor(std::min(s0, s1) - kTexelSlop);
    const double hi = std::floor(std::max(s0, s1) + kTexelSlop);
    if (!(lo >= -1e6 && hi <= 1e6))
        return TexelSpan{0, 1 << 30};  // wraps round the sheet many times over
    return TexelSpan{static_cast<int32_t>(lo), static_cast<int32_t>(hi - lo) + 1};
}

}  // namespace

bool AxisAligned(const SpriteVertex* q) {
    // Vertices 0..3: left-bottom, left-top, right-bottom, right-top.
    return q[0].x == q[1].x && q[2].x == q[3].x && q[0].y == q[2].y && q[1].y == q[3].y &&
           q[0].u == q[1].u && q[2].u == q[3].u && q[0].v == q[2].v && q[1].v == q[3].v &&
           q[0].x != q[2].x && q[0].y != q[1].y;
}

PixelRect Intersection(const PixelRect& a, const PixelRect& b) {
    return PixelRect{std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1),
                     std::min(a.y1, b.y1)};
}

PixelRect Union(const PixelRect& a, const PixelRect& b) {
    if (a.Empty())
        return b;
    if (b.Empty())
        return a;
    return PixelRect{std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1),
                     std::max(a.y1, b.y1)};
}

PixelRect ReachOf(const SpriteVertex* q, int32_t width, int32_t height) {
    double left = 1e300, right = -1e300, bottom = 1e300, top = -1e300;
    for (int k = 0; k < 4; ++k) {
        const double x = WindowX(q[k].x, width);
        const double y = WindowY(q[k].y, height);
        if (std::isnan(x) || std::isnan(y))
            return PixelRect{0, 0, width, height};
        left = std::min(left, x);
        right = std::max(right, x);
        bottom = std::min(bottom, y);
        top = std::max(top, y);
    }
    const PixelRect r{Clamped(std::floor(left), width) - 1, Clamped(std::floor(bottom), height) - 1,
                      Clamped(std::ceil(right), width) + 1, Clamped(std::ceil(top), height) + 1};
    return ClipToFrame(r, width, height);
}

PixelRect CentresWithin(const SpriteVertex* q, int32_t width, int32_t height, double margin) {
    if (!AxisAligned(q))
        return PixelRect{};
    const double xa = WindowX(q[0].x, width), xb = WindowX(q[2].x, width);
    const double ya = WindowY(q[0].y, height), yb = WindowY(q[1].y, height);
    const double left = std::min(xa, xb), right = std::max(xa, xb);
    const double bottom = std::min(ya, yb), top = std::max(ya, yb);
    if (!(left > -1e7 && right < 1e7 && bottom > -1e7 && top < 1e7))
        return PixelRect{};
    const PixelRect r{Clamped(std::ceil(left + margin - 0.5), width),
                      Clamped(std::ceil(bottom + margin - 0.5), height),
                      Clamped(std::floor(right - margin - 0.5) + 1.0, width),
                      Clamped(std::floor(top - margin - 0.5) + 1.0, height)};
    return ClipToFrame(r, width, height);
}

bool SampledTexels(const SpriteVertex* q, int32_t width, int32_t height, double margin,
                   int32_t sheetSide, TexelSpan& columns, TexelSpan& rows) {
    const PixelRect pixels = CentresWithin(q, width, height, margin);
    if (pixels.Empty())
        return false;
    const double xa = WindowX(q[0].x, width), xb = WindowX(q[2].x, width);
    const double ya = WindowY(q[0].y, height), yb = WindowY(q[1].y, height);
    columns = SpanBetween(pixels.x0 + 0.5, pixels.x1 - 0.5, xa, xb, q[0].u, q[2].u, sheetSide);
    rows = SpanBetween(pixels.y0 + 0.5, pixels.y1 - 0.5, ya, yb, q[0].v, q[1].v, sheetSide);
    return true;
}
