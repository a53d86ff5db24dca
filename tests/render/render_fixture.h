// A real OpenGL device on a hidden 1280 x 720 window (SDL's offscreen driver or a private X
// server) for tests that draw and read the frame back.
#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <vector>

#include "render/draw_command.h"

class CDx_Gr;
class System;
class MapSceneEntity;
struct RenderDevice;

using Rgb = std::array<int, 3>;

class RenderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CDx_Gr& Graphics();
    System& Settings();
    MapSceneEntity& Scene();
    RenderDevice& Device();

    // A full sheet in slot: index 1 everywhere unless paint says otherwise per texel.
    void MakeSheet(int32_t slot, const std::vector<std::array<uint8_t, 3>>& palette,
                   uint8_t (*paint)(int x, int y) = nullptr);
    // A command over dstX, dstY, dstW x dstH from srcX, srcY, srcW x srcH, unscaled.
    static DrawCommand Sprite(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sheet,
                              uint32_t color = 0xFFFFFFFF);
    void Draw(const std::vector<DrawCommand>& commands);
    // The last frame's pixel at x, y (origin top left), red, green, blue.
    Rgb Pixel(int x, int y) const;

    SDL_Window* window = nullptr;
    std::vector<uint8_t> frame;  // RGBA, bottom row first
};

// Each channel within tolerance of the expected value.
::testing::AssertionResult Near(const Rgb& actual, const Rgb& expected, int tolerance = 1);
