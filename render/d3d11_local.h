// The Direct3D 11 backend's own objects, private to render/d3d11_*.cpp: the device, its
// immediate context and swap chain on the game window, and the fixed sprite pipeline built
// once per creation.
#pragma once

#include <d3d11.h>
#include <dxgi.h>

#include <cstdint>

#include "render/draw_command.h"
#include "render/sprite_batch_rules.h"

inline constexpr int32_t kBlendStates = 6;
inline constexpr uint32_t kVertexStride = sizeof(SpriteVertex);
inline constexpr uint32_t kVertexBufferBytes = uint32_t{kDrawListVertices} * kVertexStride;
static_assert(kVertexStride == 36, "the input layout expects 36-byte vertices");

struct RenderDevice {
    ID3D11Device* device = nullptr;
    ID3D11DeviceContext* context = nullptr;
    IDXGISwapChain* swapChain = nullptr;
    ID3D11RenderTargetView* renderTarget = nullptr;
    ID3D11InputLayout* inputLayout = nullptr;
    D3D_DRIVER_TYPE driverType = D3D_DRIVER_TYPE_HARDWARE;  // being tried, then obtained
    D3D_FEATURE_LEVEL featureLevel = D3D_FEATURE_LEVEL_10_0;
    ID3D11VertexShader* vertexShader = nullptr;
    ID3D11PixelShader* pixelShader = nullptr;
    ID3D11Buffer* vertexBuffer = nullptr;
    ID3D11Buffer* indexBuffer = nullptr;
    ID3D11DepthStencilState* depthStencil = nullptr;
    ID3D11RasterizerState* rasterizer = nullptr;
    ID3D11ShaderResourceView* views[kPictureSlots] = {};
    ID3D11Texture2D* textures[kPictureSlots] = {};
    ID3D11SamplerState* sampler = nullptr;
    ID3D11BlendState* blendStates[kBlendStates] = {};  // states 1 to 6
    // 1 x 1, (0, 0, 0, 1): what an empty slot and a sheet number past the slots sample as,
    // so that the fade overlay's factor still darkens the frame.
    ID3D11Texture2D* noPictureTexture = nullptr;
    ID3D11ShaderResourceView* noPicture = nullptr;
    int32_t width = 0;  // the swap chain's size
    int32_t height = 0;
    uint32_t indices[kDrawListVertices] = {};  // quad q: 4q .. 4q + 3
    // Test seam: when set, a texture shaped like the back buffer that each frame is copied
    // into just before it is presented (a discarded back buffer cannot be read after).
    ID3D11Texture2D* capture = nullptr;
};

// Pipeline pieces in CreateDevice's order. Each returns kDeviceCreated or a failure below 0.
[[nodiscard]] int32_t CreateBlendStates(RenderDevice& d);
void BindBlendState(const RenderDevice& d, int32_t state, const BlendFactor& factor);
[[nodiscard]] int32_t CreateDepthAndRasterizer(RenderDevice& d);
[[nodiscard]] int32_t CreateShaders(RenderDevice& d, const char16_t* programFolder);
[[nodiscard]] int32_t CreateBuffers(RenderDevice& d, const SpriteVertex* vertices);
[[nodiscard]] int32_t CreateSampler(RenderDevice& d);
[[nodiscard]] int32_t CreateNoPicture(RenderDevice& d);
// Releases the pipeline and the picture slots in reverse order of creation.
void ReleasePipeline(RenderDevice& d);
void ReleasePictureTexture(RenderDevice& d, int32_t slot);

template <typename T>
void ReleaseObject(T*& object) {
    if (object != nullptr)
        object->Release();
    object = nullptr;
}
