// Picture slots on the Direct3D 11 device: a decoded sheet becomes a 512 x 512
// B5G5R5A1 texture (palette index 0 transparent) and a view the sprite batch binds.
#include "render/d3d11_local.h"
#include "render/device_rules.h"
#include "render/picture_bits.h"
#include "render/render.h"

void ReleasePictureTexture(RenderDevice& d, int32_t slot) {
    ReleaseObject(d.textures[slot]);
    ReleaseObject(d.views[slot]);
}

int32_t CDx_Gr::CreateTexture5551(int32_t slot, const PictureBits* picture) {
    if (device == nullptr || device->device == nullptr)
        return 0;
    const auto texels = SheetTexels(slot, picture);
    if (texels == nullptr)
        return 0;
    RenderDevice& d = *device;
    ReleasePictureTexture(d, slot);
    D3D11_TEXTURE2D_DESC desc = {};
    desc.Width = kPictureSide;
    desc.Height = kPictureSide;
    desc.MipLevels = 1;
    desc.ArraySize = 1;
    desc.Format = DXGI_FORMAT_B5G5R5A1_UNORM;  // bit 15 alpha, then red, green, blue
    desc.SampleDesc = {1, 0};
    desc.Usage = D3D11_USAGE_DEFAULT;
    desc.BindFlags = D3D11_BIND_SHADER_RESOURCE;
    D3D11_SUBRESOURCE_DATA initial = {texels.get(), kPictureSide * 2, 0};
    if (FAILED(d.device->CreateTexture2D(&desc, &initial, &d.textures[slot])))
        return 0;
    if (FAILED(d.device->CreateShaderResourceView(d.textures[slot], nullptr, &d.views[slot]))) {
        ReleasePictureTexture(d, slot);
        return 0;
    }
    return 1;
}

void CDx_Gr::ReleasePicture(int32_t slot) {
    if (device == nullptr || slot < 0 || slot >= kPictureSlots)
        return;
    ReleasePictureTexture(*device, slot);
}
