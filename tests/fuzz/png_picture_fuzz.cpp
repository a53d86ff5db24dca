// PNG sheets of any bytes through CLoadTex, and what loads through the texel conversion.
// The picture slot here converts the picture instead of making a texture.
#include <memory>

#include "assets/pictures.h"
#include "render/picture_bits.h"
#include "render/render.h"
#include "tests/fuzz/fuzz_file.h"

int32_t CDx_Gr::CreateTexture5551(int32_t slot, const PictureBits* picture) {
    static uint16_t texels[kPictureTexels];
    ConvertTexels5551(*picture, texels);
    return 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("sheet.png");
    static auto graphics = std::make_unique<CDx_Gr>();
    file.Write(data, size);
    CLoadTex loader(graphics.get());
    (void)loader.LoadPicture(0, file.path);
    return 0;
}
