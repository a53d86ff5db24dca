// Windows has one way to the screen, Direct3D 11, which picks its adapter itself (WARP where
// there is no graphics hardware): nothing to choose at start-up.
#include "platform/graphics_devices.h"

bool ChoosesRenderer() {
    return false;
}

bool GraphicsDeviceOpenable() {
    return true;
}
