// The device's health, the same on every backend: the per-frame check and the rebuild after
// a loss, which re-creates the device and reloads every picture.
#include "assets/pictures.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "platform/message_box.h"
#include "render/device_loss.h"
#include "render/render.h"

// A hung or reset device is re-created at once, without its pictures. The new device would
// then show blank sheets for the rest of the run whenever no present failed to ask for the
// rebuild (a loss seen while the window is inactive, say), so the check asks for it itself:
// the frame loop's rebuild that follows reloads the pictures.
void CDx_Gr::CheckDevice() {
    if (device == nullptr)
        return;
    const int32_t reason = DeviceLossReason(*this);
    if (reason == kDeviceHung || reason == kDeviceReset) {
        ReleaseDevice();
        const int32_t created = CreateDevice();
        ShowMessage(u"Message", u"失敗しました。");
        // The game asks once more and does nothing with the answer.
        if (created >= 0 && device != nullptr)
            (void)DeviceLossReason(*this);
        settings->deviceRebuildRequest = 1;
    } else if (reason != 0) {
        ShowMessage(u"Message", u"失敗しました。");
    }
}

bool CDx_Gr::RebuildDevice() {
    scene->reloadPending = 1;
    ReleaseDevice();
    if (CreateDevice() < 0) {
        ShowMessage(u"Message", u"DirectGraphicsの初期化に失敗しました。");
        return false;
    }
    if (!LoadPictures())
        return false;
    settings->deviceRebuildRequest = 0;
    return true;
}
