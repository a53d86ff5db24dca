// Clearing an area to black before it is drawn again. A pixel that some run of the area
// overwrites whatever lies beneath it (an opaque rectangle drawn plainly) ends the same
// whether it was cleared or not, wherever that run comes in the list; so only the pixels no
// such rectangle is sure to reach are cleared. A background that fills the frame leaves
// nothing to clear.
#include <cstring>

#include "render/soft_local.h"

namespace {

// The largest rectangles are kept: enough for a background and a frame round it.
constexpr int32_t kMostCovers = 16;

struct Covers {
    PixelRect rects[kMostCovers];
    int32_t count = 0;
};

// The pixels whose centres lie strictly inside an unturned quad: one of its two triangles
// draws each of them, whatever the rules for pixels on an edge decide.
bool InsideOfRectangle(const SpriteVertex* quad, const SoftwareDevice& d, PixelRect& inside) {
    Corner c[4];
    for (int k = 0; k < 4; ++k) {
        c[k] = ToFrame(quad[k], d.width, d.height);
        if (!Near(c[k]))
            return false;  // not drawn at all
    }
    const bool rows = c[0].y == c[1].y && c[2].y == c[3].y && c[0].x == c[2].x && c[1].x == c[3].x;
    const bool columns =
        c[0].x == c[1].x && c[2].x == c[3].x && c[0].y == c[2].y && c[1].y == c[3].y;
    if (!rows && !columns)
        return false;
    int64_t lowX = Snap(c[0].x), highX = lowX, lowY = Snap(c[0].y), highY = lowY;
    for (int k = 1; k < 4; ++k) {
        const int64_t x = Snap(c[k].x);
        const int64_t y = Snap(c[k].y);
        lowX = x < lowX ? x : lowX;
        highX = x > highX ? x : highX;
        lowY = y < lowY ? y : lowY;
        highY = y > highY ? y : highY;
    }
    // Pixel k's centre is strictly inside when low < k * kSubpixel < high.
    inside.x0 = static_cast<int32_t>(FloorDiv(lowX, kSubpixel) + 1);
    inside.x1 = static_cast<int32_t>(FloorDiv(highX - 1, kSubpixel) + 1);
    inside.y0 = static_cast<int32_t>(FloorDiv(lowY, kSubpixel) + 1);
    inside.y1 = static_cast<int32_t>(FloorDiv(highY - 1, kSubpixel) + 1);
    return !inside.Empty();
}

void Keep(Covers& covers, const PixelRect& rect) {
    if (covers.count < kMostCovers) {
        covers.rects[covers.count++] = rect;
        return;
    }
    int32_t smallest = 0;
    for (int32_t k = 1; k < kMostCovers; ++k) {
        if (covers.rects[k].Area() < covers.rects[smallest].Area())
            smallest = k;
    }
    if (rect.Area() > covers.rects[smallest].Area())
        covers.rects[smallest] = rect;
}

void FindCovers(const SoftwareDevice& d, const DrawRun* runs, uint32_t runCount,
                const SpriteVertex* vertices, const PixelRect& area, Covers& covers) {
    for (uint32_t r = 0; r < runCount; ++r) {
        if (!runs[r].manner.opaque || !runs[r].manner.plainly)
            continue;
        for (uint32_t q = 0; q < runs[r].quads; ++q) {
            PixelRect inside;
            if (!InsideOfRectangle(&vertices[4 * (runs[r].firstQuad + q)], d, inside))
                continue;
            inside = Intersection(inside, area);
            if (!inside.Empty())
                Keep(covers, inside);
        }
    }
    // Left to right, so that each row's gaps are found in one pass.
    for (int32_t k = 1; k < covers.count; ++k) {
        const PixelRect rect = covers.rects[k];
        int32_t j = k;
        for (; j > 0 && covers.rects[j - 1].x0 > rect.x0; --j)
            covers.rects[j] = covers.rects[j - 1];
        covers.rects[j] = rect;
    }
}

void ClearPixels(uint32_t* row, int32_t first, int32_t last) {
    if (first < last)
        std::memset(row + first, 0, sizeof(uint32_t) * (last - first));
}

}  // namespace

void ClearUncovered(SoftwareDevice& d, const DrawRun* runs, uint32_t runCount,
                    const SpriteVertex* vertices, const PixelRect& area) {
    Covers covers;
    FindCovers(d, runs, runCount, vertices, area, covers);
    for (int32_t y = area.y0; y < area.y1; ++y) {
        uint32_t* row = d.frame + static_cast<int64_t>(d.height - 1 - y) * d.width;
        int32_t cleared = area.x0;  // every pixel left of this is cleared or covered
        for (int32_t k = 0; k < covers.count; ++k) {
            const PixelRect& c = covers.rects[k];
            if (y < c.y0 || y >= c.y1)
                continue;
            ClearPixels(row, cleared, c.x0);
            cleared = c.x1 > cleared ? c.x1 : cleared;
        }
        ClearPixels(row, cleared, area.x1);
    }
}
