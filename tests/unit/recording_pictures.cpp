#include "tests/unit/recording_pictures.h"

#include "render/picture_bits.h"
#include "render/render.h"

RecordedPictures& Recorded() {
    static RecordedPictures recorded;
    return recorded;
}

int32_t CDx_Gr::CreateTexture5551(int32_t slot, const PictureBits* picture) {
    RecordedTexture t{slot, std::vector<uint16_t>(kPictureTexels)};
    ConvertTexels5551(*picture, t.texels.data());
    Recorded().created.push_back(std::move(t));
    return 1;
}

void CDx_Gr::ReleasePicture(int32_t slot) {
    Recorded().released.push_back(slot);
}
