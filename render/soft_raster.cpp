// Drawing a run of quads into the software frame exactly as the OpenGL path draws them: each
// quad is the two triangles of its four-vertex strip, rasterised with vertices snapped to a
// 1/256 pixel grid and the top-left rule, so that a pixel on an edge two triangles share is
// drawn once; texture coordinates interpolated linearly (there is no perspective), sampled
// at the nearest texel with the sheet wrapping round; a texel whose alpha is below one half
// left out; then the command's blend equation with the factor F, in 8-bit arithmetic.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "render/soft_local.h"

namespace {

constexpr uint32_t kNoTexel = 0xFF000000u;  // an empty slot samples as opaque black

// A texture coordinate as a plane over the frame: value = a0 + dadx * x + dady * y at the
// centre of pixel (x, y).
struct Plane {
    float a0, dadx, dady;
};

Plane PlaneOf(const Corner& p0, const Corner& p1, const Corner& p2, float a0, float a1, float a2,
              float oneOverArea) {
    const float dx01 = p0.x - p1.x;
    const float dy01 = p0.y - p1.y;
    const float dx20 = p2.x - p0.x;
    const float dy20 = p2.y - p0.y;
    const float da01 = a0 - a1;
    const float da20 = a2 - a0;
    const float dadx = (da01 * dy20 - dy01 * da20) * oneOverArea;
    const float dady = (da20 * dx01 - dx20 * da01) * oneOverArea;
    const float x0 = p0.x - 0.5f;
    const float y0 = p0.y - 0.5f;
    return Plane{a0 - (dadx * x0 + dady * y0), dadx, dady};
}

// The OpenGL path's rasteriser evaluates the planes with fused multiply-adds where the
// processor has them, and with separate ones where it does not; so does this, so that a
// sample that falls on a texel's very edge takes the same texel.
__attribute__((target("fma"))) float FusedValueAt(const Plane& p, float x, float y) {
    return __builtin_fmaf(p.dady, y, __builtin_fmaf(p.dadx, x, p.a0));
}
float SeparateValueAt(const Plane& p, float x, float y) {
    const float along = p.dadx * x + p.a0;
    return p.dady * y + along;
}
// Asked while globals are made: the processor model must be read first.
const bool theProcessorFuses = (__builtin_cpu_init(), __builtin_cpu_supports("fma") != 0);

float ValueAt(const Plane& p, float x, float y) {
    return theProcessorFuses ? FusedValueAt(p, x, y) : SeparateValueAt(p, x, y);
}

int32_t TexelIndex(float coordinate) {
    return static_cast<int32_t>(std::floor(coordinate * static_cast<float>(kPictureSide))) &
           (kPictureSide - 1);
}

// x * y / 255 rounded, for bytes.
uint32_t Scale(uint32_t x, uint32_t y) {
    const uint32_t p = x * y + 128;
    return (p + (p >> 8)) >> 8;
}

uint32_t Channel(uint32_t pixel, int shift) {
    return (pixel >> shift) & 255;
}

uint32_t Saturate(uint32_t value) {
    return value > 255 ? 255 : value;
}

// What a run's pixels do with the frame beneath them.
struct Shading {
    int32_t kind;
    uint32_t factor[3];  // F as bytes: red, green, blue
    bool testAlpha;
    const uint32_t* texels;  // null: every texel opaque black
};

uint32_t Blend(const Shading& s, uint32_t src, uint32_t dst) {
    if (s.kind == kBlendOwnAlpha)
        return src & 0xFFFFFFu;
    uint32_t out = 0;
    for (int c = 0; c < 3; ++c) {
        const int shift = 16 - 8 * c;
        const uint32_t sc = Channel(src, shift);
        const uint32_t dc = Channel(dst, shift);
        const uint32_t f = s.factor[c];
        uint32_t value = 0;
        switch (s.kind) {
            case kBlendMixByFactor:
                value = Scale(sc, f) + Scale(dc, 255 - f);
                break;
            case kBlendReplaceByFactor:
                value = Scale(sc, f);
                break;
            default:  // kBlendAlternative
                value = Scale(sc, 255 - f) + Scale(dc, dc);
                break;
        }
        out |= Saturate(value) << shift;
    }
    return out;
}

void ShadePixel(const Shading& s, uint32_t texel, uint32_t& pixel) {
    if (s.testAlpha && (texel >> 24) == 0)
        return;
    pixel = Blend(s, texel, pixel);
}

// The pixels of one row a triangle covers: first..last-1.
struct Span {
    int32_t first, last;
};

// One edge of a counter-clockwise triangle in snapped units: inside where
// dx * (py - y0) - dy * (px - x0) > 0, or = 0 on a top or left edge.
struct Edge {
    int64_t x0, y0, dx, dy;
    bool tieInside;
};

Edge EdgeOf(int64_t xa, int64_t ya, int64_t xb, int64_t yb) {
    const int64_t dx = xb - xa;
    const int64_t dy = yb - ya;
    // Rows count upwards, so a top edge runs right to left and a left edge downwards.
    return Edge{xa, ya, dx, dy, dy < 0 || (dy == 0 && dx < 0)};
}

// floor(v / n) for a v that grows by the same step every row, kept as quotient and remainder so
// that each row costs additions rather than a 64-bit division.
struct FloorWalk {
    int64_t quotient, remainder, divisor, stepQuotient, stepRemainder;
};

FloorWalk StartFloorWalk(int64_t v, int64_t n, int64_t step) {
    const int64_t q = FloorDiv(v, n);
    const int64_t sq = FloorDiv(step, n);
    return FloorWalk{q, v - q * n, n, sq, step - sq * n};
}

void StepFloorWalk(FloorWalk& w) {
    w.quotient += w.stepQuotient;
    w.remainder += w.stepRemainder;
    if (w.remainder >= w.divisor) {
        w.remainder -= w.divisor;
        ++w.quotient;
    }
}

// Where one edge cuts the rows, from row firstY upwards. Edge value at the sample of pixel px
// in row py: E = c - k * px, c = dx * (py * kSubpixel - y0) + dy * x0, k = dy * kSubpixel.
struct EdgeWalk {
    int8_t side;  // +1: the edge bounds the span's end, -1 its start, 0: a row is in or out
    bool tieInside;
    int64_t c, rowStep;  // for side 0
    FloorWalk bound;     // otherwise, the span's bound less `offset`
    int64_t offset;
};

EdgeWalk StartEdgeWalk(const Edge& e, int64_t firstY) {
    const int64_t c = e.dx * (firstY * kSubpixel - e.y0) + e.dy * e.x0;
    const int64_t k = e.dy * kSubpixel;
    const int64_t rowStep = e.dx * kSubpixel;
    EdgeWalk w{0, e.tieInside, c, rowStep, FloorWalk{}, 0};
    if (k > 0) {  // inside while px < c / k (or <= on a tie)
        w.side = 1;
        w.bound = StartFloorWalk(e.tieInside ? c : c - 1, k, rowStep);
        w.offset = 1;
    } else if (k < 0) {  // inside while px > c / k
        w.side = -1;
        w.bound = StartFloorWalk(e.tieInside ? -c - k - 1 : -c, -k, -rowStep);
        w.offset = e.tieInside ? 0 : 1;
    }
    return w;
}

// Narrows span to the pixels of the walk's row inside the edge, then moves it up a row.
void ClipToEdge(EdgeWalk& w, Span& span) {
    if (w.side == 0) {
        if (w.c < 0 || (w.c == 0 && !w.tieInside))
            span.last = span.first;
        w.c += w.rowStep;
        return;
    }
    const int64_t bound = w.bound.quotient + w.offset;
    StepFloorWalk(w.bound);
    if (w.side > 0) {
        if (bound < span.last)
            span.last = static_cast<int32_t>(bound < span.first ? span.first : bound);
    } else if (bound > span.first) {
        span.first = static_cast<int32_t>(bound > span.last ? span.last : bound);
    }
}

struct Target {
    SoftwareDevice& device;
    PixelRect area;
};

uint32_t* FrameRow(const SoftwareDevice& d, int32_t y) {
    return d.frame + static_cast<int64_t>(d.height - 1 - y) * d.width;
}

// An unturned quad's texture coordinate follows x alone (u) or y alone (v): the texel column
// of each pixel column is worked out once for the whole triangle.
bool Separable(const Plane& u, const Plane& v) {
    return u.dady == 0.0f && v.dadx == 0.0f;
}

// The texels of one row, texel columns from the table: the common case, a sprite as it is.
void ShadeSeparableSpan(const Shading& s, const int32_t* columns, const uint32_t* texelRow,
                        uint32_t* row, Span span) {
    if (s.kind == kBlendOwnAlpha && !s.testAlpha) {
        for (int32_t x = span.first; x < span.last; ++x) row[x] = texelRow[columns[x]] & 0xFFFFFFu;
    } else {
        for (int32_t x = span.first; x < span.last; ++x)
            ShadePixel(s, texelRow[columns[x]], row[x]);
    }
}

// An unturned sprite drawn larger repeats each texel row over several pixel rows. Drawn as it
// is (every texel opaque, nothing blended), such a row is the last one of the same texel row
// where the two spans meet: copied, and only the ends shaded.
struct RowCopy {
    bool possible;
    const uint32_t* lastRow;
    Span lastSpan;
    int32_t lastTexelRow;
};

void ShadeSeparableRow(const Shading& s, const int32_t* columns, int32_t texelRow, uint32_t* row,
                       Span span, RowCopy& copy) {
    const uint32_t* texels = s.texels + texelRow * kPictureSide;
    const Span shared{std::max(span.first, copy.lastSpan.first),
                      std::min(span.last, copy.lastSpan.last)};
    if (copy.possible && copy.lastRow != nullptr && texelRow == copy.lastTexelRow &&
        shared.first < shared.last) {
        std::memcpy(row + shared.first, copy.lastRow + shared.first,
                    sizeof(uint32_t) * (shared.last - shared.first));
        ShadeSeparableSpan(s, columns, texels, row, Span{span.first, shared.first});
        ShadeSeparableSpan(s, columns, texels, row, Span{shared.last, span.last});
    } else {
        ShadeSeparableSpan(s, columns, texels, row, span);
    }
    copy.lastRow = row;
    copy.lastSpan = span;
    copy.lastTexelRow = texelRow;
}

// A shaped sprite drawn larger (every texel opaque or transparent, nothing blended) repeats
// each texel row over several pixel rows too, but over whatever the frame holds beneath: the
// texel row is laid out along the pixel columns once, and each pixel row takes its opaque
// texels from there with a select the compiler makes four pixels wide (a branch per pixel
// would be mispredicted at every edge of the shape).
struct ShapedRow {
    bool possible;
    uint32_t* along;
    Span laidOut;
    int32_t texelRow;
};

void ShadeShapedRow(const int32_t* columns, const uint32_t* texels, int32_t texelRow,
                    uint32_t* row, Span span, ShapedRow& shaped) {
    uint32_t* along = shaped.along;
    if (texelRow != shaped.texelRow || span.first < shaped.laidOut.first ||
        span.last > shaped.laidOut.last) {
        const uint32_t* texelsOfRow = texels + texelRow * kPictureSide;
        for (int32_t x = span.first; x < span.last; ++x) along[x] = texelsOfRow[columns[x]];
        shaped.laidOut = span;
        shaped.texelRow = texelRow;
    }
    for (int32_t x = span.first; x < span.last; ++x) {
        const uint32_t texel = along[x];
        const uint32_t keep = (texel >> 24) == 0 ? ~0u : 0u;
        row[x] = (texel & 0xFFFFFFu & ~keep) | (row[x] & keep);
    }
}

void ShadeSpan(const Shading& s, const Plane& u, const Plane& v, int32_t y, uint32_t* row,
               Span span) {
    const float fy = static_cast<float>(y);
    for (int32_t x = span.first; x < span.last; ++x) {
        const float fx = static_cast<float>(x);
        const uint32_t texel =
            s.texels == nullptr
                ? kNoTexel
                : s.texels[(TexelIndex(ValueAt(v, fx, fy)) << 9) | TexelIndex(ValueAt(u, fx, fy))];
        ShadePixel(s, texel, row[x]);
    }
}

// A run of one texel everywhere (no picture: opaque black).
void ShadeBlackSpan(const Shading& s, uint32_t* row, Span span) {
    for (int32_t x = span.first; x < span.last; ++x) ShadePixel(s, kNoTexel, row[x]);
}

void DrawNearTriangle(const Target& t, const Shading& s, const Corner& p0, const Corner& p1,
                      const Corner& p2) {
    if (!Near(p0) || !Near(p1) || !Near(p2))
        return;  // beyond what the fixed-point edges hold
    int64_t x[3] = {Snap(p0.x), Snap(p1.x), Snap(p2.x)};
    int64_t y[3] = {Snap(p0.y), Snap(p1.y), Snap(p2.y)};
    const int64_t twiceArea = (x[1] - x[0]) * (y[2] - y[0]) - (x[2] - x[0]) * (y[1] - y[0]);
    if (twiceArea == 0)
        return;
    const float dx01 = p0.x - p1.x;
    const float dy01 = p0.y - p1.y;
    const float dx20 = p2.x - p0.x;
    const float dy20 = p2.y - p0.y;
    const float oneOverArea = 1.0f / (dx01 * dy20 - dx20 * dy01);
    const Plane u = PlaneOf(p0, p1, p2, p0.u, p1.u, p2.u, oneOverArea);
    const Plane v = PlaneOf(p0, p1, p2, p0.v, p1.v, p2.v, oneOverArea);
    // Counter-clockwise: corners 1 and 2 swap for a clockwise triangle.
    const int b = twiceArea > 0 ? 1 : 2;
    const int c = 3 - b;
    const Edge edges[3] = {EdgeOf(x[0], y[0], x[b], y[b]), EdgeOf(x[b], y[b], x[c], y[c]),
                           EdgeOf(x[c], y[c], x[0], y[0])};
    int64_t lowX = x[0], highX = x[0], lowY = y[0], highY = y[0];
    for (int k = 1; k < 3; ++k) {
        lowX = x[k] < lowX ? x[k] : lowX;
        highX = x[k] > highX ? x[k] : highX;
        lowY = y[k] < lowY ? y[k] : lowY;
        highY = y[k] > highY ? y[k] : highY;
    }
    const int64_t firstX = std::max<int64_t>(t.area.x0, FloorDiv(lowX, kSubpixel));
    const int64_t lastX = std::min<int64_t>(t.area.x1, FloorDiv(highX, kSubpixel) + 1);
    const int64_t firstY = std::max<int64_t>(t.area.y0, FloorDiv(lowY, kSubpixel));
    const int64_t lastY = std::min<int64_t>(t.area.y1, FloorDiv(highY, kSubpixel) + 1);
    if (firstX >= lastX || firstY >= lastY)
        return;
    const bool separable = s.texels != nullptr && Separable(u, v);
    int32_t* columns = t.device.columns;
    if (separable) {
        for (int64_t px = firstX; px < lastX; ++px)
            columns[px] = TexelIndex(ValueAt(u, static_cast<float>(px), 0.0f));
    }
    RowCopy copy{s.kind == kBlendOwnAlpha && !s.testAlpha, nullptr, Span{0, 0}, -1};
    // Worth laying out only where pixel rows repeat texel rows: drawn taller than the picture.
    const bool taller = std::fabs(v.dady) * static_cast<float>(kPictureSide) < 1.0f;
    ShapedRow shaped{s.kind == kBlendOwnAlpha && s.testAlpha && taller, t.device.texelsAlong,
                     Span{0, 0}, -1};
    EdgeWalk walks[3] = {StartEdgeWalk(edges[0], firstY), StartEdgeWalk(edges[1], firstY),
                         StartEdgeWalk(edges[2], firstY)};
    for (int64_t py = firstY; py < lastY; ++py) {
        Span span{static_cast<int32_t>(firstX), static_cast<int32_t>(lastX)};
        for (EdgeWalk& w : walks) ClipToEdge(w, span);
        if (span.first >= span.last)
            continue;
        const int32_t y = static_cast<int32_t>(py);
        uint32_t* row = FrameRow(t.device, y);
        if (s.texels == nullptr) {
            ShadeBlackSpan(s, row, span);
        } else if (separable) {
            const int32_t texelRow = TexelIndex(ValueAt(v, 0.0f, static_cast<float>(y)));
            if (shaped.possible)
                ShadeShapedRow(columns, s.texels, texelRow, row, span, shaped);
            else
                ShadeSeparableRow(s, columns, texelRow, row, span, copy);
        } else {
            ShadeSpan(s, u, v, y, row, span);
        }
    }
}

// A triangle reaching farther out than the fixed-point edges hold is cut to a band round the
// frame first, as OpenGL clips it, and what is left drawn as a fan of triangles: the part on
// the frame shows rather than nothing.
constexpr float kBand = 1 << 16;  // pixels kept beyond each edge of the frame

struct Polygon {
    Corner corners[8];  // a triangle cut by four lines has at most seven
    int32_t count;
};

Corner Between(const Corner& a, const Corner& b, double t) {
    auto at = [t](float from, float to) {
        return static_cast<float>(from + (static_cast<double>(to) - from) * t);
    };
    return Corner{at(a.x, b.x), at(a.y, b.y), at(a.u, b.u), at(a.v, b.v)};
}

// Keeps the part of p where inside(corner) >= 0 (inside is linear in x and y).
template <class Inside>
void CutPolygon(Polygon& p, Inside inside) {
    Polygon kept{};
    for (int32_t k = 0; k < p.count; ++k) {
        const Corner& a = p.corners[k];
        const Corner& b = p.corners[(k + 1) % p.count];
        const double da = inside(a);
        const double db = inside(b);
        if (da >= 0)
            kept.corners[kept.count++] = a;
        if ((da >= 0) != (db >= 0))
            kept.corners[kept.count++] = Between(a, b, da / (da - db));
    }
    p = kept;
}

bool Finite(const Corner& c) {
    return std::isfinite(c.x) && std::isfinite(c.y);
}

void DrawTriangle(const Target& t, const Shading& s, const Corner& p0, const Corner& p1,
                  const Corner& p2) {
    if (Near(p0) && Near(p1) && Near(p2)) {
        DrawNearTriangle(t, s, p0, p1, p2);
        return;
    }
    if (!Finite(p0) || !Finite(p1) || !Finite(p2))
        return;  // not a number: nothing to draw
    const double left = -kBand;
    const double bottom = -kBand;
    const double right = static_cast<double>(t.device.width) + kBand;
    const double top = static_cast<double>(t.device.height) + kBand;
    Polygon p{{p0, p1, p2}, 3};
    CutPolygon(p, [left](const Corner& c) { return c.x - left; });
    CutPolygon(p, [right](const Corner& c) { return right - c.x; });
    CutPolygon(p, [bottom](const Corner& c) { return c.y - bottom; });
    CutPolygon(p, [top](const Corner& c) { return top - c.y; });
    for (int32_t k = 1; k + 1 < p.count; ++k)
        DrawNearTriangle(t, s, p.corners[0], p.corners[k], p.corners[k + 1]);
}

Shading ShadingOf(const SoftwareDevice& d, const DrawRun& run) {
    Shading s{};
    s.kind = run.key.kind;
    s.testAlpha = !run.manner.opaque;
    s.texels = run.key.picture == kNoPicture ? nullptr : d.texels[run.key.picture];
    const BlendFactor f = BlendFactorOf(run.key.color);
    const float channels[3] = {f.r, f.g, f.b};
    for (int c = 0; c < 3; ++c)
        s.factor[c] = static_cast<uint32_t>(std::lrint(channels[c] * 255.0f));
    return s;
}

}  // namespace

void DrawSoftwareRun(SoftwareDevice& d, const DrawRun& run, const SpriteVertex* vertices,
                     const PixelRect& area) {
    const Target target{d, area};
    const Shading shading = ShadingOf(d, run);
    for (uint32_t q = 0; q < run.quads; ++q) {
        const SpriteVertex* quad = &vertices[4 * (run.firstQuad + q)];
        Corner c[4];
        for (int k = 0; k < 4; ++k) c[k] = ToFrame(quad[k], d.width, d.height);
        // The strip's triangles: 0, 1, 2, then 2, 1, 3 (the second keeps the first's winding).
        DrawTriangle(target, shading, c[0], c[1], c[2]);
        DrawTriangle(target, shading, c[2], c[1], c[3]);
    }
}
