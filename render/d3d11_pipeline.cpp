// The fixed pipeline the device builds once per creation: the six blend states, the depth
// and rasterizer states, the two compiled shaders read from their files with the sprite
// vertex layout, the vertex and index buffers, the point sampler and the picture an empty
// slot shows.
#include <cstddef>
#include <cstdio>
#include <memory>
#include <new>

#include "platform/files.h"
#include "platform/path16.h"
#include "render/d3d11_local.h"
#include "render/render.h"

namespace {

struct BlendPair {
    D3D11_BLEND source;
    D3D11_BLEND destination;
};
// States 1 to 6: the colour's source and destination factors.
constexpr BlendPair kBlendPairs[kBlendStates] = {
    {D3D11_BLEND_SRC_ALPHA, D3D11_BLEND_INV_SRC_ALPHA},
    {D3D11_BLEND_BLEND_FACTOR, D3D11_BLEND_INV_BLEND_FACTOR},
    {D3D11_BLEND_BLEND_FACTOR, D3D11_BLEND_ZERO},
    {D3D11_BLEND_SRC_ALPHA, D3D11_BLEND_DEST_COLOR},
    {D3D11_BLEND_BLEND_FACTOR, D3D11_BLEND_DEST_COLOR},
    {D3D11_BLEND_INV_BLEND_FACTOR, D3D11_BLEND_DEST_COLOR},
};

constexpr D3D11_INPUT_ELEMENT_DESC kLayout[] = {
    {"POSITION", 0, DXGI_FORMAT_R32G32B32_FLOAT, 0, offsetof(SpriteVertex, x),
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"COLOR", 0, DXGI_FORMAT_R32G32B32A32_FLOAT, 0, offsetof(SpriteVertex, r),
     D3D11_INPUT_PER_VERTEX_DATA, 0},
    {"TEXCOORD", 0, DXGI_FORMAT_R32G32_FLOAT, 0, offsetof(SpriteVertex, u),
     D3D11_INPUT_PER_VERTEX_DATA, 0},
};

// A compiled shader file, whole.
struct ShaderBytes {
    std::unique_ptr<char[]> bytes;
    int64_t size = 0;
};

bool ReadWhole(const char16_t* path, ShaderBytes& out) {
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0)
        return false;
    const int64_t size = FileSize(file);
    bool ok = false;
    if (size > 0 && size < (int64_t{1} << 24)) {
        out.bytes.reset(new (std::nothrow) char[size]);
        ok = out.bytes != nullptr && FileRead(file, out.bytes.get(), size) == size;
        out.size = size;
    }
    FileClose(file);
    return ok;
}

// Shader files are looked for in the current folder, then beside the executable.
bool ReadShaderFile(const char16_t* name, const char16_t* programFolder, ShaderBytes& out) {
    if (ReadWhole(name, out))
        return true;
    char16_t path[kPathUnits];
    if (!TextCopy(path, kPathUnits, programFolder) || !TextAppend(path, kPathUnits, name))
        return false;
    return ReadWhole(path, out);
}

}  // namespace

int32_t CreateBlendStates(RenderDevice& d) {
    for (int32_t i = 0; i < kBlendStates; ++i) {
        D3D11_BLEND_DESC desc = {};
        desc.AlphaToCoverageEnable = TRUE;
        desc.IndependentBlendEnable = FALSE;
        D3D11_RENDER_TARGET_BLEND_DESC& target = desc.RenderTarget[0];
        target.BlendEnable = TRUE;
        target.SrcBlend = kBlendPairs[i].source;
        target.DestBlend = kBlendPairs[i].destination;
        target.BlendOp = D3D11_BLEND_OP_ADD;
        target.SrcBlendAlpha = D3D11_BLEND_ONE;
        target.DestBlendAlpha = D3D11_BLEND_ZERO;
        target.BlendOpAlpha = D3D11_BLEND_OP_ADD;
        target.RenderTargetWriteMask = D3D11_COLOR_WRITE_ENABLE_ALL;
        const HRESULT r = d.device->CreateBlendState(&desc, &d.blendStates[i]);
        if (FAILED(r))
            return r;
    }
    BindBlendState(d, kBlendStateOfKind[kBlendOwnAlpha], BlendFactor{0.0f, 0.0f, 0.0f, 0.0f});
    return kDeviceCreated;
}

void BindBlendState(const RenderDevice& d, int32_t state, const BlendFactor& factor) {
    const float f[4] = {factor.r, factor.g, factor.b, factor.a};
    d.context->OMSetBlendState(d.blendStates[state - 1], f, 0xFFFFFFFFu);
}

// Depth test and writes on with no depth buffer bound: they have nothing to act on.
int32_t CreateDepthAndRasterizer(RenderDevice& d) {
    D3D11_DEPTH_STENCIL_DESC depth = {};
    depth.DepthEnable = TRUE;
    depth.DepthWriteMask = D3D11_DEPTH_WRITE_MASK_ALL;
    depth.DepthFunc = D3D11_COMPARISON_LESS;
    depth.StencilEnable = FALSE;
    HRESULT r = d.device->CreateDepthStencilState(&depth, &d.depthStencil);
    if (FAILED(r))
        return r;
    d.context->OMSetDepthStencilState(d.depthStencil, 0);
    return kDeviceCreated;
}

int32_t CreateShaders(RenderDevice& d, const char16_t* programFolder) {
    ShaderBytes vs;
    if (!ReadShaderFile(u"SampleVS.cso", programFolder, vs))
        return kDeviceShaderFileMissing;
    HRESULT r = d.device->CreateVertexShader(vs.bytes.get(), static_cast<SIZE_T>(vs.size), nullptr,
                                             &d.vertexShader);
    if (FAILED(r))
        return r;
    r = d.device->CreateInputLayout(kLayout, 3, vs.bytes.get(), static_cast<SIZE_T>(vs.size),
                                    &d.inputLayout);
    if (FAILED(r))
        return r;
    d.context->IASetInputLayout(d.inputLayout);
    ShaderBytes ps;
    if (!ReadShaderFile(u"SamplePS.cso", programFolder, ps))
        return kDeviceShaderFileMissing;
    r = d.device->CreatePixelShader(ps.bytes.get(), static_cast<SIZE_T>(ps.size), nullptr,
                                    &d.pixelShader);
    if (FAILED(r))
        return r;
    // Solid, no culling, no depth clipping, scissor or multisampling.
    D3D11_RASTERIZER_DESC raster = {};
    raster.FillMode = D3D11_FILL_SOLID;
    raster.CullMode = D3D11_CULL_NONE;
    r = d.device->CreateRasterizerState(&raster, &d.rasterizer);
    if (FAILED(r))
        return r;
    d.context->RSSetState(d.rasterizer);
    return kDeviceCreated;
}

int32_t CreateBuffers(RenderDevice& d, const SpriteVertex* vertices) {
    D3D11_BUFFER_DESC desc = {};
    desc.ByteWidth = kVertexBufferBytes;
    desc.Usage = D3D11_USAGE_DYNAMIC;
    desc.BindFlags = D3D11_BIND_VERTEX_BUFFER;
    desc.CPUAccessFlags = D3D11_CPU_ACCESS_WRITE;
    D3D11_SUBRESOURCE_DATA initial = {vertices, 0, 0};
    HRESULT r = d.device->CreateBuffer(&desc, &initial, &d.vertexBuffer);
    if (FAILED(r))
        return r;
    const UINT stride = kVertexStride;
    const UINT offset = 0;
    d.context->IASetVertexBuffers(0, 1, &d.vertexBuffer, &stride, &offset);

    for (uint32_t i = 0; i < uint32_t{kDrawListVertices}; ++i) d.indices[i] = i;
    desc = {};
    desc.ByteWidth = sizeof(d.indices);
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_INDEX_BUFFER;
    initial = {d.indices, 0, 0};
    r = d.device->CreateBuffer(&desc, &initial, &d.indexBuffer);
    if (FAILED(r))
        return r;
    d.context->IASetIndexBuffer(d.indexBuffer, DXGI_FORMAT_R32_UINT, 0);
    d.context->IASetPrimitiveTopology(D3D11_PRIMITIVE_TOPOLOGY_TRIANGLESTRIP);
    return kDeviceCreated;
}

int32_t CreateSampler(RenderDevice& d) {
    D3D11_SAMPLER_DESC desc = {};
    desc.Filter = D3D11_FILTER_MIN_MAG_MIP_POINT;
    desc.AddressU = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.AddressV = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.AddressW = D3D11_TEXTURE_ADDRESS_WRAP;
    desc.ComparisonFunc = D3D11_COMPARISON_NEVER;
    desc.MinLOD = 0.0f;
    desc.MaxLOD = D3D11_FLOAT32_MAX;
    const HRESULT r = d.device->CreateSamplerState(&desc, &d.sampler);
    if (FAILED(r)) {
        std::printf("Error : CreateSamplerState() Failed.\n");
        return r;
    }
    d.context->PSSetSamplers(0, 1, &d.sampler);
    return kDeviceCreated;
}

int32_t CreateNoPicture(RenderDevice& d) {
    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = 1;
    desc.Height = 1;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    desc.SampleDesc = {1, 0};
    desc.Usage = D3D11_USAGE_IMMUTABLE;
    desc.BindFlags = D3D11_BIND_SHADER_RESOURCE;
    const uint32_t opaqueBlack = 0xFF000000u;
    D3D11_SUBRESOURCE_DATA initial = {&opaqueBlack, 4, 4};
    HRESULT r = d.device->CreateTexture2D(&desc, &initial, &d.noPictureTexture);
    if (FAILED(r))
        return r;
    r = d.device->CreateShaderResourceView(d.noPictureTexture, nullptr, &d.noPicture);
    if (FAILED(r))
        return r;
    return kDeviceCreated;
}

void ReleasePipeline(RenderDevice& d) {
    ReleaseObject(d.vertexShader);
    ReleaseObject(d.pixelShader);
    ReleaseObject(d.rasterizer);
    ReleaseObject(d.depthStencil);
    for (int32_t i = kBlendStates - 1; i >= 0; --i) ReleaseObject(d.blendStates[i]);
    ReleaseObject(d.inputLayout);
    ReleaseObject(d.vertexBuffer);
    ReleaseObject(d.indexBuffer);
    for (int32_t slot = kPictureSlots - 1; slot >= 0; --slot) ReleasePictureTexture(d, slot);
    ReleaseObject(d.noPicture);
    ReleaseObject(d.noPictureTexture);
    ReleaseObject(d.sampler);
}
