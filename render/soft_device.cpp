// The software device on the game window: the frame in memory at the creation size, drawn
// area by area as the frame planner says and presented through SDL's window surface. Nothing
// here can be lost, so it never asks for a rebuild; a rebuild the game asks for makes the
// frame again from nothing.
#include <SDL.h>

#include <cstdio>
#include <cstring>
#include <new>

#include "game/system.h"
#include "render/backends.h"
#include "render/frame_planner.h"
#include "render/hidden_commands.h"
#include "render/render.h"
#include "render/soft_local.h"
#include "render/window_presence.h"

namespace {

SoftwareDevice theDevice;
// The kept list and the sheets' texels outlive every device; a new device forgets them.
FrameHistory theHistory;
SheetCoverage theSheets;
FramePlan thePlan;          // main thread: worked out afresh for every frame that draws
FrameDraws theDraws;        // main thread, refilled by every frame that draws

void DrawChanges(SoftwareDevice& d, const CDx_Gr& g, ChangedAreas& changed) {
    PlanFrame(g, *d.sheets, d.width, d.height, d.options.skipInvisible, thePlan);
    PlanDraws(d.options, true, g, thePlan, changed, theDraws);
    for (int32_t a = 0; a < changed.count; ++a) {
        const uint32_t first = theDraws.areaRuns[a];
        const uint32_t last = theDraws.areaRuns[a + 1];
        ClearUncovered(d, &theDraws.runs[first], last - first, theDraws.vertices, changed.areas[a]);
        for (uint32_t r = first; r < last; ++r) {
            DrawSoftwareRun(d, theDraws.runs[r], theDraws.vertices, changed.areas[a]);
            ++d.drawCalls;
        }
    }
}

// The frame as the OpenGL device reads its own back: RGBA, bottom row first.
void Capture(const SoftwareDevice& d, uint8_t* rgba) {
    for (int32_t y = 0; y < d.height; ++y) {
        const uint32_t* row = d.frame + static_cast<int64_t>(d.height - 1 - y) * d.width;
        uint8_t* out = rgba + static_cast<int64_t>(y) * d.width * 4;
        for (int32_t x = 0; x < d.width; ++x) {
            out[4 * x] = static_cast<uint8_t>(row[x] >> 16);
            out[4 * x + 1] = static_cast<uint8_t>(row[x] >> 8);
            out[4 * x + 2] = static_cast<uint8_t>(row[x]);
            out[4 * x + 3] = 255;
        }
    }
}

}  // namespace

int32_t CreateSoftwareDevice(CDx_Gr& g) {
    auto* window = static_cast<SDL_Window*>(g.window);
    if (window == nullptr)
        return kDeviceNoWindow;
    const CreationSize size = StartDeviceOnWindow(window, g.settings->fullScreen);
    // SDL would otherwise make the window's surface a texture of an OpenGL renderer, loading
    // the very library this backend exists to leave out; the window system's own shared
    // memory images are what it is for.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    theDevice = SoftwareDevice{};
    theDevice.width = size.width;
    theDevice.height = size.height;
    g.softwareDevice = &theDevice;  // released as a whole even when made only in part
    // Cleared when it is first drawn onto: most windows take the frame on their own surface.
    theDevice.keptFrame =
        new (std::nothrow) uint32_t[static_cast<size_t>(size.width) * size.height];
    theDevice.columns = new (std::nothrow) int32_t[size.width];
    theDevice.texelsAlong = new (std::nothrow) uint32_t[size.width];
    if (theDevice.keptFrame == nullptr || theDevice.columns == nullptr ||
        theDevice.texelsAlong == nullptr)
        return kDeviceFrameTargetIncomplete;
    theHistory.valid = false;
    for (int32_t slot = 0; slot < kPictureSlots; ++slot) ForgetSheet(theSheets, slot);
    theDevice.history = &theHistory;
    theDevice.sheets = &theSheets;
    WatchWindowPresence(&theDevice.presentRequired);
    return kDeviceCreated;
}

void ReleaseSoftwareDevice(CDx_Gr& g) {
    auto* window = static_cast<SDL_Window*>(g.window);
    if (window != nullptr && g.softwareDevice != nullptr)
        ApplyScreenMode(window, 0);
    WatchWindowPresence(nullptr);
    if (g.softwareDevice != nullptr) {
        ReleaseSoftwarePictures(*g.softwareDevice);
        delete[] g.softwareDevice->keptFrame;
        delete[] g.softwareDevice->columns;
        delete[] g.softwareDevice->texelsAlong;
    }
    ForgetWindowSurface();
    theDevice = SoftwareDevice{};
    g.softwareDevice = nullptr;
}

// Only the changed areas are drawn and presented; a frame that changed nothing is not
// presented at all unless the window needs its picture (then it is presented whole).
int32_t RenderSoftwareFrame(CDx_Gr& g) {
    if (g.softwareDevice == nullptr)
        return 0;
    SoftwareDevice& d = *g.softwareDevice;
    if (ChooseFrameMemory(d, g.window) || d.options.redrawEveryFrame)
        d.history->valid = false;
    ChangedAreas changed;
    FindChangedAreas(g, d.width, d.height, *d.history, changed);
    d.drawCalls = 0;
    d.presented = changed.count > 0 || d.presentRequired;
    if (!d.presented)
        return 0;
    if (changed.count > 0)
        DrawChanges(d, g, changed);
    if (d.capture != nullptr)
        Capture(d, d.capture);
    const bool whole = d.presentRequired;
    d.presentRequired = false;
    if (!PresentSoftwareFrame(d, g.window, changed.areas, changed.count, whole))
        d.presentRequired = true;  // the next frame tries again with the whole picture
    return 0;
}
