// The two Linux backends' device operations. CDx_Gr's own (render/backend_choice.cpp) pass
// each call to the backend the game chose; both carry out the same frame plan.
#pragma once

#include <cstdint>

class CDx_Gr;
struct PictureBits;

// OpenGL 3.3 on the window's GL context (render/gl_*.cpp).
[[nodiscard]] int32_t CreateGlDevice(CDx_Gr& graphics);
void ReleaseGlDevice(CDx_Gr& graphics);
int32_t RenderGlFrame(CDx_Gr& graphics);
[[nodiscard]] int32_t CreateGlTexture(CDx_Gr& graphics, int32_t slot, const PictureBits* picture);
void ReleaseGlPicture(CDx_Gr& graphics, int32_t slot);
[[nodiscard]] int32_t GlDeviceLossReason(const CDx_Gr& graphics);

// The frame drawn in memory and presented through SDL's window surface (render/soft_*.cpp).
// It is never lost.
[[nodiscard]] int32_t CreateSoftwareDevice(CDx_Gr& graphics);
void ReleaseSoftwareDevice(CDx_Gr& graphics);
int32_t RenderSoftwareFrame(CDx_Gr& graphics);
[[nodiscard]] int32_t CreateSoftwareTexture(CDx_Gr& graphics, int32_t slot,
                                            const PictureBits* picture);
void ReleaseSoftwarePicture(CDx_Gr& graphics, int32_t slot);
