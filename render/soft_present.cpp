// Presenting the software frame: only the changed rectangles of SDL's window surface are sent
// to the display (shared-memory images on X11). A surface of the frame's size and layout is
// drawn on directly; onto any other the rectangles are copied, and a window of another size
// than the frame gets the frame stretched with bilinear filtering, as the OpenGL path
// stretches it; the filter's tables are made again only when either size changes.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "render/soft_local.h"

namespace {

constexpr int32_t kWeightOne = 256;

// For each window column (or row): the frame pixel to its left (above) and the weight of the
// next one, in 1/256.
struct FilterTaps {
    int32_t* index = nullptr;
    int32_t* weight = nullptr;
    int32_t count = 0;
};

struct Stretch {
    int32_t windowWidth = 0, windowHeight = 0, frameWidth = 0, frameHeight = 0;
    FilterTaps columns;
    FilterTaps rows;
    uint32_t* line = nullptr;  // one stretched row, for surfaces of another pixel format
    bool made = false;
};

Stretch theStretch;

void FreeTaps(FilterTaps& t) {
    delete[] t.index;
    delete[] t.weight;
    t = FilterTaps{};
}

// Window pixel k's centre on the frame: (k + 0.5) * frame / window - 0.5, clamped to its edge.
bool MakeTaps(FilterTaps& t, int32_t windowSize, int32_t frameSize) {
    FreeTaps(t);
    t.index = new (std::nothrow) int32_t[windowSize];
    t.weight = new (std::nothrow) int32_t[windowSize];
    if (t.index == nullptr || t.weight == nullptr)
        return false;
    t.count = windowSize;
    for (int32_t k = 0; k < windowSize; ++k) {
        const int64_t at =
            ((2 * int64_t{k} + 1) * frameSize * kWeightOne) / (2 * windowSize) - kWeightOne / 2;
        int64_t left = at >= 0 ? at / kWeightOne : -1;
        int64_t weight = at - left * kWeightOne;
        if (left < 0) {
            left = 0;
            weight = 0;
        }
        if (left >= frameSize - 1) {
            left = frameSize - 1;
            weight = 0;
        }
        t.index[k] = static_cast<int32_t>(left);
        t.weight[k] = static_cast<int32_t>(weight);
    }
    return true;
}

bool PrepareStretch(int32_t windowWidth, int32_t windowHeight, const SoftwareDevice& d) {
    Stretch& s = theStretch;
    if (s.made && s.windowWidth == windowWidth && s.windowHeight == windowHeight &&
        s.frameWidth == d.width && s.frameHeight == d.height)
        return true;
    delete[] s.line;
    s.line = new (std::nothrow) uint32_t[windowWidth];
    s.made = s.line != nullptr && MakeTaps(s.columns, windowWidth, d.width) &&
             MakeTaps(s.rows, windowHeight, d.height);
    s.windowWidth = windowWidth;
    s.windowHeight = windowHeight;
    s.frameWidth = d.width;
    s.frameHeight = d.height;
    return s.made;
}

uint32_t Mix(uint32_t a, uint32_t b, int32_t weight) {
    const uint32_t w = static_cast<uint32_t>(weight);
    const uint32_t rb = ((a & 0xFF00FFu) * (kWeightOne - w) + (b & 0xFF00FFu) * w) >> 8;
    const uint32_t g = ((a & 0xFF00u) * (kWeightOne - w) + (b & 0xFF00u) * w) >> 8;
    return (rb & 0xFF00FFu) | (g & 0xFF00u);
}

// True when the surface holds pixels as the frame does (red, green, blue in the low three
// bytes of a 32-bit word).
bool SameLayout(const SDL_Surface& s) {
    return s.format->format == SDL_PIXELFORMAT_RGB888 ||
           s.format->format == SDL_PIXELFORMAT_ARGB8888;
}

uint8_t* SurfaceRow(SDL_Surface& s, int32_t y) {
    return static_cast<uint8_t*>(s.pixels) + static_cast<int64_t>(y) * s.pitch;
}

// Pixels x0..x1-1 of a frame-layout row onto surface row y.
void PutRow(SDL_Surface& s, int32_t y, int32_t x0, int32_t x1, const uint32_t* pixels) {
    uint8_t* out = SurfaceRow(s, y) + static_cast<int64_t>(x0) * s.format->BytesPerPixel;
    if (SameLayout(s)) {
        std::memcpy(out, pixels, sizeof(uint32_t) * (x1 - x0));
        return;
    }
    (void)SDL_ConvertPixels(x1 - x0, 1, SDL_PIXELFORMAT_RGB888, pixels,
                            static_cast<int>(sizeof(uint32_t)) * (x1 - x0), s.format->format, out,
                            s.pitch);
}

// The frame's rows y0..y1-1 and columns x0..x1-1 (top row first) onto the same place.
void CopyRect(SDL_Surface& s, const SoftwareDevice& d, const SDL_Rect& r) {
    for (int32_t y = r.y; y < r.y + r.h; ++y)
        PutRow(s, y, r.x, r.x + r.w, d.frame + static_cast<int64_t>(y) * d.width + r.x);
}

void StretchRect(SDL_Surface& s, const SoftwareDevice& d, const SDL_Rect& r) {
    const Stretch& st = theStretch;
    for (int32_t y = r.y; y < r.y + r.h; ++y) {
        const int32_t top = st.rows.index[y];
        const int32_t below = top + (st.rows.weight[y] > 0 ? 1 : 0);
        const uint32_t* a = d.frame + static_cast<int64_t>(top) * d.width;
        const uint32_t* b = d.frame + static_cast<int64_t>(below) * d.width;
        for (int32_t x = r.x; x < r.x + r.w; ++x) {
            const int32_t left = st.columns.index[x];
            const int32_t right = left + (st.columns.weight[x] > 0 ? 1 : 0);
            const uint32_t upper = Mix(a[left], a[right], st.columns.weight[x]);
            const uint32_t lower = Mix(b[left], b[right], st.columns.weight[x]);
            st.line[x - r.x] = Mix(upper, lower, st.rows.weight[y]);
        }
        PutRow(s, y, r.x, r.x + r.w, st.line);
    }
}

// A frame rectangle in the planner's rows as the window rectangle it shows in: at the same
// place, or (stretched) the window pixels whose filter reaches into it.
SDL_Rect WindowRect(const SoftwareDevice& d, const PixelRect& p, int32_t width, int32_t height) {
    const int32_t top = d.height - p.y1;  // top row first from here on
    const int32_t bottom = d.height - p.y0;
    if (width == d.width && height == d.height)
        return SDL_Rect{p.x0, top, p.x1 - p.x0, bottom - top};
    auto from = [](int32_t at, int32_t frame, int32_t window) {
        const int64_t k = (int64_t{at} - 1) * window / frame - 1;
        return static_cast<int32_t>(k < 0 ? 0 : k);
    };
    auto to = [](int32_t at, int32_t frame, int32_t window) {
        const int64_t k = (int64_t{at} + 1) * window / frame + 2;
        return static_cast<int32_t>(k > window ? window : k);
    };
    const int32_t x0 = from(p.x0, d.width, width);
    const int32_t y0 = from(top, d.height, height);
    return SDL_Rect{x0, y0, to(p.x1, d.width, width) - x0, to(bottom, d.height, height) - y0};
}

bool warned = false;

SDL_Surface* WindowSurface(SDL_Window* window) {
    SDL_Surface* s = window != nullptr ? SDL_GetWindowSurface(window) : nullptr;
    if (s == nullptr && !warned) {
        std::fprintf(stderr, "Tessaroid: the window has no surface to show the frame on: %s\n",
                     SDL_GetError());
        warned = true;
    }
    return s;
}

// The frame can be drawn straight onto the surface: the same size, layout and row length, and
// pixels that stay where they are.
bool HoldsFrame(const SDL_Surface& s, const SoftwareDevice& d) {
    return s.w == d.width && s.h == d.height && SameLayout(s) &&
           s.pitch == d.width * static_cast<int>(sizeof(uint32_t)) && !SDL_MUSTLOCK(&s);
}

}  // namespace

bool ChooseFrameMemory(SoftwareDevice& d, void* window) {
    SDL_Window* w = static_cast<SDL_Window*>(window);
    SDL_Surface* s = w != nullptr ? SDL_GetWindowSurface(w) : nullptr;
    uint32_t* memory = s != nullptr && HoldsFrame(*s, d) ? static_cast<uint32_t*>(s->pixels)
                                                          : d.keptFrame;
    // A window resized, shown or uncovered may have a new surface at the old address.
    const bool moved = memory != d.frame || (memory != d.keptFrame && d.presentRequired);
    if (moved && memory == d.keptFrame)
        std::memset(memory, 0, sizeof(uint32_t) * d.width * d.height);
    d.frame = memory;
    return moved;
}

bool PresentSoftwareFrame(SoftwareDevice& d, void* window, const PixelRect* rects,
                          int32_t rectCount, bool whole) {
    SDL_Window* w = static_cast<SDL_Window*>(window);
    SDL_Surface* s = WindowSurface(w);
    if (s == nullptr || s->format->BytesPerPixel < 2)
        return false;
    const bool fits = s->w == d.width && s->h == d.height;
    if (!fits && !PrepareStretch(s->w, s->h, d))
        return false;
    whole = whole || s->w != d.presentedWidth || s->h != d.presentedHeight;
    const PixelRect everything{0, 0, d.width, d.height};
    if (whole) {
        rects = &everything;
        rectCount = 1;
    }
    SDL_Rect shown[kMaxChangedAreas];
    const bool locked = SDL_MUSTLOCK(s) && SDL_LockSurface(s) == 0;
    for (int32_t k = 0; k < rectCount; ++k) {
        shown[k] = WindowRect(d, rects[k], s->w, s->h);
        if (d.frame == s->pixels)
            continue;  // drawn there already
        if (fits)
            CopyRect(*s, d, shown[k]);
        else
            StretchRect(*s, d, shown[k]);
    }
    if (locked)
        SDL_UnlockSurface(s);
    d.presentedWidth = s->w;
    d.presentedHeight = s->h;
    return SDL_UpdateWindowSurfaceRects(w, shown, rectCount) == 0;
}

// The window's surface belongs to the window; only the stretch tables are the device's.
void ForgetWindowSurface() {
    FreeTaps(theStretch.columns);
    FreeTaps(theStretch.rows);
    delete[] theStretch.line;
    theStretch = Stretch{};
}
