// Text rendered with FreeType from the DejaVu faces installed with the system's fonts
// (the fonts-dejavu-core package), found at fixed paths.
#pragma once

#include <string>

#include "tools/assetgen/canvas.h"

struct FT_LibraryRec_;
struct FT_FaceRec_;

class FontFace {
public:
    FontFace() = default;
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;
    ~FontFace();

    // Opens the face at path; false (with a message naming the file and the package) when
    // it is missing or cannot be read.
    [[nodiscard]] bool Open(const char* path);

    // Glyph size in pixels: width and height of the em may differ, for narrow or wide text.
    void SetPixelSize(int emWidth, int emHeight);

    // Renders text with its baseline at row baseline of a map of the given size, starting
    // at pen position x (pixels). Extra spacing is added between letters. Hinted, anti-aliased.
    Coverage Render(const std::string& text, int width, int height, int x, int baseline,
                    float letterSpacing = 0) const;

    // Makes strokes heavier by the given pixels across and down (0 for the face as drawn).
    void SetEmbolden(float x, float y) {
        emboldenX = x;
        emboldenY = y;
    }

    // The advance of text in pixels at the current size.
    float Measure(const std::string& text, float letterSpacing = 0) const;

private:
    FT_LibraryRec_* library = nullptr;
    FT_FaceRec_* face = nullptr;
    float emboldenX = 0;
    float emboldenY = 0;
};

inline constexpr const char* kMonoBoldFont =
    "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";
inline constexpr const char* kSansBoldFont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
