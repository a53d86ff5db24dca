// CDx_Gr: the renderer. Other folders reach it only through this header: the device's
// lifetime and health, and one RenderFrame per frame. Graphics-library state stays in the
// renderer's own files.
#pragma once

#include <cstdint>

#include "render/draw_command.h"

class System;
class MapSceneEntity;
struct PictureBits;
struct RenderDevice;
struct SoftwareDevice;

// The way to the screen. Windows has only Direct3D 11; Linux draws through OpenGL where the
// machine has graphics hardware and draws the frame itself where it has none.
enum RendererKind : int32_t {
    kRendererOpenGL = 0,
    kRendererSoftware = 1,
};

// Results of a present and reasons for a lost device, in the game's own codes.
inline constexpr int32_t kDeviceRemoved = static_cast<int32_t>(0x887A0005u);
inline constexpr int32_t kDeviceHung = static_cast<int32_t>(0x887A0006u);
inline constexpr int32_t kDeviceReset = static_cast<int32_t>(0x887A0007u);

// CreateDevice's results, and those of each step of the creation: kDeviceCreated, or a
// failure below 0. The Direct3D device passes on the HRESULT of a Direct3D call that failed
// instead; the OpenGL device names each of its steps' failures here.
enum CreateDeviceResult : int32_t {
    kDeviceCreated = 1,
    kDeviceNoWindow = -1,
    kDeviceShaderFileMissing = -1,  // the same code: the game has always reported it so
    kDeviceNoContext = -2,
    kDeviceContextNotCurrent = -3,
    kDeviceFrameTargetIncomplete = -4,
    kDeviceShaderNotBuilt = -5,
    kDeviceBuffersNotMade = -6,
    kDeviceSamplerNotMade = -7,
    kDeviceNoPictureNotMade = -8,
    kDevicePresenterNotBuilt = -9,
};

class CDx_Gr {
public:
    CDx_Gr();
    virtual ~CDx_Gr();

    System* settings = nullptr;
    MapSceneEntity* scene = nullptr;
    void* window = nullptr;          // the game window the device draws on
    RenderDevice* device = nullptr;  // the backend's objects; null while there is no device
    // Linux: the chosen way to the screen, set before the window is made (the OpenGL window
    // needs a GL visual). CreateDevice turns it to kRendererSoftware when OpenGL fails.
    int32_t renderer = kRendererOpenGL;
    SoftwareDevice* softwareDevice = nullptr;  // the software backend's objects, while it has them

    // The draw list: the frame's commands turned into vertices, in submission order.
    uint32_t count = 0;
    int32_t sheets[kDrawListSlots] = {};
    uint32_t colors[kDrawListSlots] = {};
    int32_t blendModes[kDrawListSlots] = {};
    SpriteVertex vertices[kDrawListVertices] = {};
    // When set (by tools that print the list), each submitted command is kept here too.
    DrawCommand* commandLog = nullptr;

    // Appends one command as four finished vertices; a full list drops it. Returns 1.
    int32_t Submit(const DrawCommand* command);
    // Empties the list before a scene's first Submit of the frame.
    void ResetDrawList();

    // Creates the device on the window: kDeviceCreated, or a failure below 0.
    [[nodiscard]] int32_t CreateDevice();
    bool ReleaseDevice();
    // The per-frame health check.
    void CheckDevice();
    // Draws the frame's list and presents it; sets deviceRebuildRequest on a lost device.
    int32_t RenderFrame();
    // Re-creates the device and reloads every picture. False means the program must end.
    [[nodiscard]] bool RebuildDevice();

    // Picture slots 0..63. Makes the slot's texture from a decoded sheet (1, or 0 when the
    // texture could not be made); releases a slot's texture before it is filled again.
    [[nodiscard]] int32_t CreateTexture5551(int32_t slot, const PictureBits* picture);
    void ReleasePicture(int32_t slot);
};
