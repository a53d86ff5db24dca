// The unit tests' picture slots: CreateTexture5551 and ReleasePicture record what they were
// given instead of making textures, so the picture loader is tested without a device.
#pragma once

#include <cstdint>
#include <vector>

struct RecordedTexture {
    int32_t slot;
    std::vector<uint16_t> texels;  // 512 x 512, top row first
};

struct RecordedPictures {
    std::vector<RecordedTexture> created;
    std::vector<int32_t> released;
};

RecordedPictures& Recorded();
