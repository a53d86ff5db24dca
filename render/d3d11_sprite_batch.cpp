// The sprite batch on Direct3D 11: every frame the whole vertex array is uploaded, the
// frame cleared and the list drawn in submission order, each command with the blend state
// its colour and blend mode choose, a state or picture
// bound again only when it changes. Then the frame is presented.
#include <cstring>

#include "game/system.h"
#include "render/d3d11_local.h"
#include "render/render.h"

namespace {

ID3D11ShaderResourceView* ViewFor(const RenderDevice& d, int32_t picture) {
    if (picture == kNoPicture || d.views[picture] == nullptr)
        return d.noPicture;
    return d.views[picture];
}

}  // namespace

int32_t CDx_Gr::RenderFrame() {
    if (device == nullptr || device->context == nullptr)
        return -1;
    RenderDevice& d = *device;
    D3D11_MAPPED_SUBRESOURCE mapped = {};
    if (SUCCEEDED(d.context->Map(d.vertexBuffer, 0, D3D11_MAP_WRITE_DISCARD, 0, &mapped))) {
        std::memcpy(mapped.pData, vertices, kVertexBufferBytes);
        d.context->Unmap(d.vertexBuffer, 0);
    }
    const float clear[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    d.context->ClearRenderTargetView(d.renderTarget, clear);
    d.context->VSSetShader(d.vertexShader, nullptr, 0);
    d.context->PSSetShader(d.pixelShader, nullptr, 0);

    int32_t boundKind = kNoBlendKind;
    uint32_t boundColor = 0;
    ID3D11ShaderResourceView* boundView = nullptr;
    const uint32_t n = count < uint32_t{kDrawListSlots} ? count : uint32_t{kDrawListSlots};
    for (uint32_t i = 0; i < n; ++i) {
        const DrawKey key = DrawKeyOf(blendModes[i], colors[i], sheets[i]);
        if (key.kind != boundKind || key.color != boundColor) {
            BindBlendState(d, kBlendStateOfKind[key.kind], BlendFactorOf(key.color));
            boundKind = key.kind;
            boundColor = key.color;
        }
        ID3D11ShaderResourceView* view = ViewFor(d, key.picture);
        if (view != boundView) {
            d.context->PSSetShaderResources(0, 1, &view);
            boundView = view;
        }
        d.context->DrawIndexed(4, 4 * i, 0);
    }
    if (d.capture != nullptr) {
        ID3D11Resource* back = nullptr;
        d.renderTarget->GetResource(&back);
        d.context->CopyResource(d.capture, back);
        back->Release();
    }
    const HRESULT r = d.swapChain->Present(settings->vsync != 0 ? 1 : 0, 0);
    if (r == kDeviceRemoved || r == kDeviceReset)
        settings->deviceRebuildRequest = 1;
    return r;
}
