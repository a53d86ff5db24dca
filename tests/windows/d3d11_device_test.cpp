// The Direct3D 11 device under Wine on Xvfb: creation on a 1280 x 720 window with the
// compiled shaders, the missing-shader failure, and frames read back from the back buffer:
// an empty list, a palette sheet with its transparent index, the translucent mix, the
// tinted replace and the fade overlay over no picture.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <memory>
#include <vector>

#include "app/window.h"
#include "app/window_procedure.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/d3d11_local.h"
#include "render/picture_bits.h"
#include "render/render.h"

namespace {

struct Rgb {
    int r, g, b;
};

class D3D11Device : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(InitWindowSystem());
        window = CreateGameWindow(1280, 720);
        ASSERT_NE(window, nullptr);
        (void)PumpOneMessage(window, procedure);
        std::memcpy(system.programFolder, TESSAROID_GAME_FOLDER, sizeof(TESSAROID_GAME_FOLDER));
        graphics->settings = &system;
        graphics->scene = &scene;
        graphics->window = NativeWindowHandle(window);
    }
    void TearDown() override {
        graphics->ReleaseDevice();
        DestroyGameWindow(window);
        QuitWindowSystem();
    }
    // A sheet whose every texel is palette index `index`; 1 is red, 2 white, 0 transparent.
    void MakeSheet(int32_t slot, uint8_t index) {
        auto p = std::make_unique<PictureBits>();
        p->colors[0][2] = 255;  // index 0 has a colour, but stays transparent
        p->colors[1][2] = 255;
        for (int k = 0; k < 3; ++k) p->colors[2][k] = 255;
        std::vector<uint8_t> rows(kPictureTexels, index);
        p->bits = rows.data();
        ASSERT_EQ(graphics->CreateTexture5551(slot, p.get()), 1);
    }
    void Submit(int32_t x, int32_t y, int32_t w, int32_t h, int32_t sheet, uint32_t color) {
        DrawCommand c{};
        c.dstX = x;
        c.dstY = y;
        c.dstW = w;
        c.dstH = h;
        c.srcW = w < 512 ? w : 512;
        c.srcH = h < 512 ? h : 512;
        c.scaleX = 1.0f;
        c.scaleY = 1.0f;
        c.color = color;
        c.sheet = sheet;
        graphics->Submit(&c);
    }
    // Draws the list and reads the frame as it was presented.
    void Draw() {
        RenderDevice& d = *graphics->device;
        D3D11_TEXTURE2D_DESC desc = {};
        desc.Width = 1280;
        desc.Height = 720;
        desc.MipLevels = 1;
        desc.ArraySize = 1;
        desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
        desc.SampleDesc = {1, 0};
        desc.Usage = D3D11_USAGE_STAGING;
        desc.CPUAccessFlags = D3D11_CPU_ACCESS_READ;
        ASSERT_EQ(d.device->CreateTexture2D(&desc, nullptr, &d.capture), S_OK);
        ASSERT_EQ(graphics->RenderFrame(), S_OK);
        graphics->ResetDrawList();
        D3D11_MAPPED_SUBRESOURCE mapped = {};
        ASSERT_EQ(d.context->Map(d.capture, 0, D3D11_MAP_READ, 0, &mapped), S_OK);
        frame.assign(desc.Width * desc.Height * 4, 0);
        for (UINT y = 0; y < desc.Height; ++y)
            std::memcpy(&frame[y * desc.Width * 4],
                        static_cast<uint8_t*>(mapped.pData) + y * mapped.RowPitch, desc.Width * 4);
        d.context->Unmap(d.capture, 0);
        ReleaseObject(d.capture);
    }
    Rgb Pixel(int x, int y) const {
        const uint8_t* p = &frame[(y * 1280 + x) * 4];
        return Rgb{p[0], p[1], p[2]};
    }
    static ::testing::AssertionResult Near(const Rgb& a, const Rgb& e, int tolerance = 2) {
        if (std::abs(a.r - e.r) <= tolerance && std::abs(a.g - e.g) <= tolerance &&
            std::abs(a.b - e.b) <= tolerance)
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << "(" << a.r << ", " << a.g << ", " << a.b << ") is not near (" << e.r << ", "
               << e.g << ", " << e.b << ")";
    }

    System system;
    MapSceneEntity scene;
    std::unique_ptr<CDx_Gr> graphics = std::make_unique<CDx_Gr>();
    WindowProcedure procedure{&system};
    GameWindow* window = nullptr;
    std::vector<uint8_t> frame;
};

TEST_F(D3D11Device, CreatesThePipelineAtTheClientSizeAndReleasesIt) {
    ASSERT_EQ(graphics->CreateDevice(), 1);
    ASSERT_NE(graphics->device, nullptr);
    const RenderDevice& d = *graphics->device;
    EXPECT_EQ(d.width, 1280);
    EXPECT_EQ(d.height, 720);
    EXPECT_NE(d.vertexShader, nullptr);
    EXPECT_NE(d.pixelShader, nullptr);
    EXPECT_NE(d.inputLayout, nullptr);
    EXPECT_NE(d.sampler, nullptr);
    for (ID3D11BlendState* state : d.blendStates) EXPECT_NE(state, nullptr);
    EXPECT_EQ(d.indices[4 * 14969 + 3], 4u * 14969 + 3);
    EXPECT_TRUE(graphics->ReleaseDevice());
    EXPECT_EQ(graphics->device, nullptr);
    EXPECT_TRUE(graphics->ReleaseDevice());  // twice is harmless
}

TEST_F(D3D11Device, MissingShaderFilesFailCreation) {
    std::memcpy(system.programFolder, u"Z:/nonexistent/", sizeof(u"Z:/nonexistent/"));
    EXPECT_EQ(graphics->CreateDevice(), -1);
}

TEST_F(D3D11Device, DrawsTheListInOrderWithEachBlendKind) {
    ASSERT_EQ(graphics->CreateDevice(), 1);
    MakeSheet(0, 1);  // red
    MakeSheet(1, 0);  // all transparent
    MakeSheet(2, 2);  // white

    // An empty list: a black frame.
    Draw();
    EXPECT_TRUE(Near(Pixel(640, 360), {0, 0, 0}));

    Submit(0, 0, 400, 400, 0, 0xFFFFFFFF);      // red, opaque
    Submit(0, 0, 100, 100, 1, 0xFFFFFFFF);      // transparent: leaves the red
    Submit(200, 0, 100, 100, 2, 0x80FFFFFF);    // white mixed half over red
    Submit(0, 200, 100, 100, 2, 0xFFFF0000);    // white tinted red replaces
    Submit(600, 0, 100, 100, 0, 0xFFFFFFFF);    // red on black
    Submit(600, 0, 100, 100, 120, 0x80FFFFFF);  // the fade over it: no picture, darker
    Submit(800, 0, 100, 100, 2, 0xFF00FF00);    // white tinted green replaces black
    Draw();
    EXPECT_TRUE(Near(Pixel(50, 50), {255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(350, 350), {255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(250, 50), {255, 127, 127}, 3));
    EXPECT_TRUE(Near(Pixel(50, 250), {253, 0, 0}, 3));
    EXPECT_TRUE(Near(Pixel(650, 50), {128, 0, 0}, 3));
    EXPECT_TRUE(Near(Pixel(850, 50), {0, 253, 0}, 3));
    EXPECT_TRUE(Near(Pixel(1000, 500), {0, 0, 0}));
}

TEST_F(D3D11Device, AFullListFitsOneFrame) {
    ASSERT_EQ(graphics->CreateDevice(), 1);
    MakeSheet(0, 1);
    for (int i = 0; i < kDrawnCommands; ++i) Submit(i % 1280, 0, 1, 1, 0, 0xFFFFFFFF);
    EXPECT_EQ(graphics->count, uint32_t(kDrawnCommands));
    Draw();
    EXPECT_TRUE(Near(Pixel(640, 0), {255, 0, 0}));
    EXPECT_TRUE(Near(Pixel(640, 1), {0, 0, 0}));
}

}  // namespace
