// Drawing a run of quads into the software frame exactly as the OpenGL path draws them: each
// quad is the two triangles of its four-vertex strip, rasterised with vertices snapped to a
// 1/256 pixel grid and the rule for pixels on an edge that OpenGL's rasteriser keeps (see
// EdgeOf), so that a pixel on an edge two triangles share is drawn once; a triangle reaching
// beyond the frame cut to it first; texture coordinates interpolated linearly (there is no
// perspective), sampled at the nearest texel with the sheet wrapping round; a texel whose
// alpha is below one half left out; then the command's blend equation with the factor F, in
// 8-bit arithmetic.
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

// What the planes of one triangle share, worked out as the OpenGL rasteriser does: the edges
// from the first corner, each already divided by the triangle's doubled area, and the first
// corner moved to the pixel grid's origin. The planes come out the same to the last bit only
// when made in the same order with the same first corner.
struct PlaneSetup {
    float dx01, dy01, dx20, dy20;  // over the doubled area
    float x0, y0;
};

PlaneSetup PlaneSetupOf(const Corner& p0, const Corner& p1, const Corner& p2) {
    const float dx01 = p0.x - p1.x;
    const float dy01 = p0.y - p1.y;
    const float dx20 = p2.x - p0.x;
    const float dy20 = p2.y - p0.y;
    const float oneOverArea = 1.0f / (dx01 * dy20 - dy01 * dx20);
    PlaneSetup setup{};
    setup.dx01 = dx01 * oneOverArea;
    setup.dy01 = dy01 * oneOverArea;
    setup.dx20 = dx20 * oneOverArea;
    setup.dy20 = dy20 * oneOverArea;
    setup.x0 = p0.x - 0.5f;
    setup.y0 = p0.y - 0.5f;
    return setup;
}

Plane PlaneOf(const PlaneSetup& s, float a0, float a1, float a2) {
    const float da01 = a0 - a1;
    const float da20 = a2 - a0;
    const float dadx = da01 * s.dy20 - da20 * s.dy01;
    const float dady = da20 * s.dx01 - da01 * s.dx20;
    return Plane{a0 - (dadx * s.x0 + dady * s.y0), dadx, dady};
}

// The planes are evaluated with fused multiply-adds where the processor has them (see
// MultiplyAdd), x first; kept in one function each so that the loops call no further.
__attribute__((target("fma"))) float FusedValueAt(const Plane& p, float x, float y) {
    return __builtin_fmaf(p.dady, y, __builtin_fmaf(p.dadx, x, p.a0));
}
float SeparateValueAt(const Plane& p, float x, float y) {
    const float along = p.dadx * x + p.a0;
    return p.dady * y + along;
}

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
// dx * (py - y0) - dy * (px - x0) > 0, or = 0 on a left edge or on the edge along the
// triangle's lowest row.
struct Edge {
    int64_t x0, y0, dx, dy;
    bool tieInside;
};

Edge EdgeOf(int64_t xa, int64_t ya, int64_t xb, int64_t yb) {
    const int64_t dx = xb - xa;
    const int64_t dy = yb - ya;
    // The OpenGL rasteriser keeps the top-left rule in its own rows, which count downwards
    // from the frame's first row in memory; the frame buffer it draws into keeps the bottom
    // row first, so its "top" edge is the lowest here. Counter-clockwise, a left edge runs
    // downwards and the lowest edge left to right.
    return Edge{xa, ya, dx, dy, dy < 0 || (dy == 0 && dx > 0)};
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

void LayOutPart(const int32_t* columns, const uint32_t* texelsOfRow, int32_t first, int32_t last,
                uint32_t* along) {
    for (int32_t x = first; x < last; ++x) along[x] = texelsOfRow[columns[x]];
}

// The texel row under span. A triangle's spans move along its slanted edges from row to row:
// only the pixels the laid-out row lacks are laid out.
void LayOutRow(const int32_t* columns, const uint32_t* texels, int32_t texelRow, Span span,
               ShapedRow& shaped) {
    const uint32_t* texelsOfRow = texels + texelRow * kPictureSide;
    Span& have = shaped.laidOut;
    if (texelRow != shaped.texelRow || span.last < have.first || span.first > have.last) {
        LayOutPart(columns, texelsOfRow, span.first, span.last, shaped.along);
        have = span;
        shaped.texelRow = texelRow;
        return;
    }
    if (span.first < have.first) {
        LayOutPart(columns, texelsOfRow, span.first, have.first, shaped.along);
        have.first = span.first;
    }
    if (span.last > have.last) {
        LayOutPart(columns, texelsOfRow, have.last, span.last, shaped.along);
        have.last = span.last;
    }
}

void ShadeShapedRow(const int32_t* columns, const uint32_t* texels, int32_t texelRow, uint32_t* row,
                    Span span, ShapedRow& shaped) {
    LayOutRow(columns, texels, texelRow, span, shaped);
    const uint32_t* along = shaped.along;
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
    // The OpenGL rasteriser turns a triangle that is counter-clockwise here (rows count
    // upwards) round by swapping its first two corners, and sets its planes up from the
    // corners in that order.
    const bool turned = twiceArea > 0;
    const Corner& first = turned ? p1 : p0;
    const Corner& second = turned ? p0 : p1;
    const PlaneSetup setup = PlaneSetupOf(first, second, p2);
    const Plane u = PlaneOf(setup, first.u, second.u, p2.u);
    const Plane v = PlaneOf(setup, first.v, second.v, p2.v);
    // Counter-clockwise: corners 1 and 2 swap for a clockwise triangle.
    const int b = turned ? 1 : 2;
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

// A triangle that reaches beyond the frame is cut to it first, as OpenGL's clipper cuts it:
// in clip space, one side of the frame after another, and what is left drawn as a fan. The
// corners it makes, and so the planes of the triangles it draws, come out the same to the last
// bit only when cut in the same order with the same arithmetic.
struct ClipCorner {
    float x, y;  // in clip space (w is 1 here, and stays 1 on the corners the cuts make)
    Corner frame;
};

// A triangle cut by the frame's four sides has at most seven corners; one more slot holds the
// first corner again while a side cuts round.
constexpr int32_t kMostClipCorners = 7;
struct ClipPolygon {
    ClipCorner corners[kMostClipCorners + 1];
    int32_t count;
};

// The sides of the frame a clip-space corner lies beyond: right, left, top, bottom, the order
// the clipper cuts in.
uint32_t OutsideOf(const SpriteVertex& v) {
    return (v.x > 1.0f ? 1u : 0u) | (0.0f > v.x + 1.0f ? 2u : 0u) | (v.y > 1.0f ? 4u : 0u) |
           (0.0f > v.y + 1.0f ? 8u : 0u);
}

// How far inside the side a corner lies (negative beyond it).
float InsideBy(const ClipCorner& c, int32_t side) {
    switch (side) {
        case 0:
            return 1.0f - c.x;
        case 1:
            return c.x + 1.0f;
        case 2:
            return 1.0f - c.y;
        default:
            return c.y + 1.0f;
    }
}

// The corner t of the way from out to in; its place in the frame is worked out anew, and
// without fused multiply-adds, as the clipper does it.
ClipCorner Between(const ClipCorner& out, const ClipCorner& in, float t, const SoftwareDevice& d) {
    auto at = [t](float from, float to) { return from + t * (to - from); };
    const float halfWidth = 0.5f * static_cast<float>(d.width);
    const float halfHeight = 0.5f * static_cast<float>(d.height);
    ClipCorner c{at(out.x, in.x), at(out.y, in.y), {}};
    const float x = c.x * halfWidth;
    const float y = c.y * halfHeight;
    c.frame = Corner{x + halfWidth, y + halfHeight, at(out.frame.u, in.frame.u),
                     at(out.frame.v, in.frame.v)};
    return c;
}

// Keeps the part of p inside the side; false when a corner is not a number or infinite, which
// leaves the whole triangle out.
bool CutPolygon(ClipPolygon& p, int32_t side, const SoftwareDevice& d) {
    ClipPolygon kept{};
    p.corners[p.count] = p.corners[0];
    float before = InsideBy(p.corners[0], side);
    if (!std::isfinite(before))
        return false;
    for (int32_t k = 1; k <= p.count; ++k) {
        const ClipCorner& prev = p.corners[k - 1];
        const ClipCorner& next = p.corners[k];
        const float after = InsideBy(next, side);
        if (!std::isfinite(after))
            return false;
        const bool keep = before >= 0.0f;
        const bool crosses = keep ? after < 0.0f : !(after < 0.0f);
        // A convex polygon keeps at most seven corners; only rounding in a sliver with
        // nothing to show could make more.
        if (kept.count + (keep ? 1 : 0) + (crosses ? 1 : 0) > kMostClipCorners)
            return false;
        if (keep)
            kept.corners[kept.count++] = prev;
        if (crosses) {
            // The fraction is taken from whichever end lies nearer the side.
            const float span = after - before;
            const bool leaving = after < 0.0f;
            const bool fromNext = leaving ? -after < before : !(-before < after);
            kept.corners[kept.count++] = fromNext ? Between(next, prev, after / span, d)
                                                  : Between(prev, next, -before / span, d);
        }
        before = after;
    }
    p = kept;
    return true;
}

void DrawClippedTriangle(const Target& t, const Shading& s, const ClipCorner& a,
                         const ClipCorner& b, const ClipCorner& c, uint32_t outside) {
    ClipPolygon p{{a, b, c}, 3};
    for (int32_t side = 0; side < 4 && p.count >= 3; ++side) {
        if ((outside & (1u << side)) != 0 && !CutPolygon(p, side, t.device))
            return;
    }
    // The fan keeps the first corner last in each triangle, as the clipper emits it.
    for (int32_t k = 2; k < p.count; ++k)
        DrawNearTriangle(t, s, p.corners[k - 1].frame, p.corners[k].frame, p.corners[0].frame);
}

// Whether a quad reaching beyond the frame is cut to it. An unturned quad within reach of the
// fixed-point edges is not: its texture coordinates follow x alone or y alone, which lets its
// texel columns and rows be worked out once for the whole triangle (see Separable), whereas
// the cut corners' rounding would make every pixel's sample its own; and the planes of the
// cut triangles differ from the whole ones only in their last bits.
bool CutsAtFrame(const Corner* c) {
    const bool rows = c[0].y == c[1].y && c[2].y == c[3].y && c[0].x == c[2].x && c[1].x == c[3].x;
    const bool columns =
        c[0].x == c[1].x && c[2].x == c[3].x && c[0].y == c[2].y && c[1].y == c[3].y;
    return !(rows || columns) || !Near(c[0]) || !Near(c[1]) || !Near(c[2]) || !Near(c[3]);
}

// A strip's triangle: drawn as it is when it lies on the frame (or need not be cut), cut when
// it reaches beyond it, left out when it lies wholly beyond one side.
void DrawTriangle(const Target& t, const Shading& s, const SpriteVertex* quad, const Corner* c,
                  const uint32_t* outside, bool cut, int32_t i0, int32_t i1, int32_t i2) {
    const uint32_t any = outside[i0] | outside[i1] | outside[i2];
    if (any == 0 || !cut) {
        DrawNearTriangle(t, s, c[i0], c[i1], c[i2]);
        return;
    }
    if ((outside[i0] & outside[i1] & outside[i2]) != 0)
        return;
    DrawClippedTriangle(t, s, ClipCorner{quad[i0].x, quad[i0].y, c[i0]},
                        ClipCorner{quad[i1].x, quad[i1].y, c[i1]},
                        ClipCorner{quad[i2].x, quad[i2].y, c[i2]}, any);
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
        uint32_t outside[4];
        for (int k = 0; k < 4; ++k) {
            c[k] = ToFrame(quad[k], d.width, d.height);
            outside[k] = OutsideOf(quad[k]);
        }
        const bool cut = (outside[0] | outside[1] | outside[2] | outside[3]) != 0 && CutsAtFrame(c);
        // The strip's triangles: 0, 1, 2, then 2, 1, 3 (the second keeps the first's winding).
        DrawTriangle(target, shading, quad, c, outside, cut, 0, 1, 2);
        DrawTriangle(target, shading, quad, c, outside, cut, 2, 1, 3);
    }
}
