// An offline stand-in for the sprite batch: draws lists of (sheet, source rectangle,
// destination rectangle, colour) onto a 1280 x 720 picture, with the game's blend kinds,
// point sampling and palette index 0 as the only transparency. Used to look at the art in
// the scenes' layouts before and besides the real renderer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

inline constexpr int kScreenW = 1280;
inline constexpr int kScreenH = 720;

struct Sprite {
    int sheet;
    int srcX, srcY, srcW, srcH;
    int dstX, dstY, dstW, dstH;
    uint32_t color = 0xFFFFFFFF;
};

struct SheetImage {
    bool loaded = false;
    std::vector<uint8_t> index;     // 512 x 512 palette indices
    std::vector<uint32_t> palette;  // 256 entries, 0xRRGGBB
};

class Compositor {
public:
    Compositor();
    SheetImage sheets[8];
    std::vector<uint32_t> screen;  // 0xRRGGBB

    // Loads grp/grp_000N.png of the data folder for N = 0..7; false when one is missing.
    [[nodiscard]] bool LoadSheets(const std::string& dataFolder);
    void Clear();
    void Draw(const Sprite& s);
    [[nodiscard]] bool WritePng(const std::string& path) const;
};
