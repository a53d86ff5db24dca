// CDx_Gr's device operations on Linux, passed to the backend the game chose before its
// window was made. Where OpenGL cannot be had after all (no context, a pipeline that will
// not build), the game draws its frames itself instead of ending.
#include <cstdio>

#include "render/backends.h"
#include "render/device_loss.h"
#include "render/render.h"

namespace {

bool Software(const CDx_Gr& g) {
    return g.renderer == kRendererSoftware;
}

}  // namespace

int32_t CDx_Gr::CreateDevice() {
    if (Software(*this))
        return CreateSoftwareDevice(*this);
    const int32_t result = CreateGlDevice(*this);
    if (result >= 0 || window == nullptr)
        return result;
    ReleaseGlDevice(*this);
    std::fprintf(stderr,
                 "Tessaroid: OpenGL could not be started (step %d failed); drawing with the "
                 "software renderer instead.\n",
                 -result);
    renderer = kRendererSoftware;
    return CreateSoftwareDevice(*this);
}

bool CDx_Gr::ReleaseDevice() {
    if (Software(*this))
        ReleaseSoftwareDevice(*this);
    else
        ReleaseGlDevice(*this);
    return true;
}

int32_t CDx_Gr::RenderFrame() {
    return Software(*this) ? RenderSoftwareFrame(*this) : RenderGlFrame(*this);
}

int32_t CDx_Gr::CreateTexture5551(int32_t slot, const PictureBits* picture) {
    return Software(*this) ? CreateSoftwareTexture(*this, slot, picture)
                           : CreateGlTexture(*this, slot, picture);
}

void CDx_Gr::ReleasePicture(int32_t slot) {
    if (Software(*this))
        ReleaseSoftwarePicture(*this, slot);
    else
        ReleaseGlPicture(*this, slot);
}

// Only OpenGL's device can be lost; the health check asks only while device is set.
int32_t DeviceLossReason(const CDx_Gr& graphics) {
    return GlDeviceLossReason(graphics);
}
