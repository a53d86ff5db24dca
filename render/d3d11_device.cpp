// The Direct3D 11 device on the game window: a device and swap chain created at start-up
// (hardware, then WARP, then the reference driver), checked every frame and rebuilt as a
// whole after a loss.
#include <windows.h>

#include "game/system.h"
#include "render/d3d11_local.h"
#include "render/device_loss.h"
#include "render/device_rules.h"
#include "render/render.h"

namespace {

RenderDevice theDevice;     // main thread
CreationSize theFirstSize;  // the client size when the device was first created

constexpr D3D_DRIVER_TYPE kDriverTypes[] = {D3D_DRIVER_TYPE_HARDWARE, D3D_DRIVER_TYPE_WARP,
                                            D3D_DRIVER_TYPE_REFERENCE};
constexpr D3D_FEATURE_LEVEL kFeatureLevels[] = {D3D_FEATURE_LEVEL_11_1, D3D_FEATURE_LEVEL_11_0,
                                                D3D_FEATURE_LEVEL_10_1, D3D_FEATURE_LEVEL_10_0};

HRESULT CreateDeviceAndSwapChain(RenderDevice& d, HWND window, int32_t fullScreen) {
    DXGI_SWAP_CHAIN_DESC chain = {};
    chain.BufferDesc.Width = static_cast<UINT>(d.width);
    chain.BufferDesc.Height = static_cast<UINT>(d.height);
    chain.BufferDesc.RefreshRate = {60, 1};
    chain.BufferDesc.Format = DXGI_FORMAT_R8G8B8A8_UNORM;
    chain.SampleDesc = {1, 0};
    chain.BufferUsage = DXGI_USAGE_RENDER_TARGET_OUTPUT;
    chain.BufferCount = 1;
    chain.OutputWindow = window;
    chain.Windowed = fullScreen == 0 ? TRUE : FALSE;
    chain.SwapEffect = DXGI_SWAP_EFFECT_DISCARD;
    HRESULT r = E_FAIL;
    for (D3D_DRIVER_TYPE type : kDriverTypes) {
        d.driverType = type;
        r = D3D11CreateDeviceAndSwapChain(nullptr, type, nullptr, 0, kFeatureLevels,
                                          sizeof(kFeatureLevels) / sizeof(kFeatureLevels[0]),
                                          D3D11_SDK_VERSION, &chain, &d.swapChain, &d.device,
                                          &d.featureLevel, &d.context);
        if (SUCCEEDED(r))
            return r;
    }
    return r;
}

HRESULT CreateRenderTarget(RenderDevice& d) {
    ID3D11Texture2D* backBuffer = nullptr;
    HRESULT r =
        d.swapChain->GetBuffer(0, __uuidof(ID3D11Texture2D), reinterpret_cast<void**>(&backBuffer));
    if (FAILED(r))
        return r;
    r = d.device->CreateRenderTargetView(backBuffer, nullptr, &d.renderTarget);
    backBuffer->Release();
    if (FAILED(r))
        return r;
    d.context->OMSetRenderTargets(1, &d.renderTarget, nullptr);
    return S_OK;
}

int32_t CreatePipeline(RenderDevice& d, const System& system, const SpriteVertex* vertices) {
    HRESULT r = CreateRenderTarget(d);
    if (FAILED(r))
        return r;
    int32_t step = CreateBlendStates(d);
    if (step < 0)
        return step;
    step = CreateDepthAndRasterizer(d);
    if (step < 0)
        return step;
    D3D11_VIEWPORT viewport = {
        0.0f, 0.0f, static_cast<float>(d.width), static_cast<float>(d.height), 0.0f, 1.0f};
    d.context->RSSetViewports(1, &viewport);
    step = CreateShaders(d, system.programFolder);
    if (step < 0)
        return step;
    step = CreateBuffers(d, vertices);
    if (step < 0)
        return step;
    step = CreateSampler(d);
    if (step < 0)
        return step;
    return CreateNoPicture(d);
}

}  // namespace

int32_t CDx_Gr::CreateDevice() {
    HWND hwnd = static_cast<HWND>(window);
    if (hwnd == nullptr || settings == nullptr)
        return kDeviceNoWindow;
    RECT client = {};
    GetClientRect(hwnd, &client);
    const CreationSize size = ChooseCreationSize(theFirstSize, client.right - client.left,
                                                 client.bottom - client.top, settings->fullScreen);
    theDevice = RenderDevice{};
    theDevice.width = size.width;
    theDevice.height = size.height;
    const HRESULT r = CreateDeviceAndSwapChain(theDevice, hwnd, settings->fullScreen);
    if (FAILED(r))
        return r;
    device = &theDevice;
    const int32_t made = CreatePipeline(theDevice, *settings, vertices);
    return made < 0 ? made : kDeviceCreated;
}

bool CDx_Gr::ReleaseDevice() {
    if (device == nullptr)
        return true;
    RenderDevice& d = *device;
    if (d.swapChain != nullptr)
        d.swapChain->SetFullscreenState(FALSE, nullptr);
    if (d.context != nullptr) {
        d.context->ClearState();
        d.context->Flush();
    }
    ReleasePipeline(d);
    ReleaseObject(d.renderTarget);
    ReleaseObject(d.swapChain);
    ReleaseObject(d.context);
    ReleaseObject(d.device);
    device = nullptr;
    return true;
}

int32_t DeviceLossReason(const CDx_Gr& graphics) {
    if (graphics.device->device == nullptr)
        return 0;
    return static_cast<int32_t>(graphics.device->device->GetDeviceRemovedReason());
}
