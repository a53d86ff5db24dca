// A 512 x 512 drawing surface for one picture sheet: RGB colours with an opacity flag per
// pixel. Everything is drawn here in full colour; the sheet writer then reduces it to the
// 255 colours of an 8-bit palette, with palette index 0 for every transparent pixel.
#pragma once

#include <cstdint>
#include <vector>

inline constexpr int kSheetSize = 512;

struct Rgb {
    float r = 0, g = 0, b = 0;
};

Rgb Mix(Rgb a, Rgb b, float t);  // a at t = 0, b at t = 1
Rgb Scale(Rgb c, float k);       // brightness times k, clamped later
Rgb Hex(uint32_t rrggbb);        // 0xRRGGBB

class Canvas {
public:
    Canvas();

    std::vector<Rgb> colour;
    std::vector<uint8_t> opaque;  // 1 where the pixel is drawn

    bool Inside(int x, int y) const { return x >= 0 && y >= 0 && x < kSheetSize && y < kSheetSize; }
    Rgb& At(int x, int y) { return colour[y * kSheetSize + x]; }
    const Rgb& At(int x, int y) const { return colour[y * kSheetSize + x]; }
    bool IsOpaque(int x, int y) const { return opaque[y * kSheetSize + x] != 0; }

    void Set(int x, int y, Rgb c);             // opaque pixel
    void Blend(int x, int y, Rgb c, float a);  // over whatever is there; makes it opaque
    void Clear(int x, int y);                  // transparent again
    void FillRect(int x, int y, int w, int h, Rgb c);
    void ClearRect(int x, int y, int w, int h);
    // Vertical gradient from top to bottom colour over the rectangle.
    void FillGradient(int x, int y, int w, int h, Rgb top, Rgb bottom);
    // One-pixel outline of a rectangle.
    void FrameRect(int x, int y, int w, int h, Rgb c);
};

// A grey coverage map (0..1), as text and shapes are rendered before they are coloured.
class Coverage {
public:
    Coverage(int w, int h);
    int width;
    int height;
    std::vector<float> value;
    float At(int x, int y) const {
        return (x < 0 || y < 0 || x >= width || y >= height) ? 0.0f : value[y * width + x];
    }
    void Add(int x, int y, float v);  // saturating at 1
    // The largest value within radius r (a round brush): the map grown outwards.
    Coverage Grown(int r) const;
    // Leftmost, rightmost, top and bottom inked columns and rows (threshold 0.3); false when
    // nothing is inked.
    bool InkBounds(int* x0, int* x1, int* y0, int* y1) const;
};

// Paints a coverage map onto the canvas at (x, y) as lettering: an outline of the given
// colour around the ink, the ink filled with a vertical gradient, anti-aliased against the
// outline so that nothing needs partial transparency.
struct LetterStyle {
    Rgb top;
    Rgb bottom;
    Rgb outline;
    int outlineRadius = 1;
    int shadowX = 0;  // a second, offset outline in the outline colour
    int shadowY = 0;
    int gradientTop = 0;  // rows of the map over which top blends to bottom
    int gradientBottom = 0;
    float inkThreshold = 0.5f;  // fainter ink is left out where no outline lies under it
};
void PaintLettering(Canvas& canvas, const Coverage& ink, int x, int y, const LetterStyle& style);
