// What each graphics backend tells the shared device-health code: why its device was lost.
#pragma once

#include <cstdint>

class CDx_Gr;

// The removal reason in the game's codes (kDeviceHung, kDeviceReset, kDeviceRemoved or
// another nonzero code), 0 while the device is healthy. The renderer must have a device.
[[nodiscard]] int32_t DeviceLossReason(const CDx_Gr& graphics);
