// The graphics-device probe on Linux: Mesa's hardware drivers draw through a DRM render node,
// NVIDIA's own driver through its device nodes. Where neither opens, OpenGL would be Mesa's
// software rasteriser, which costs more than drawing the frame ourselves.
#include "platform/posix_graphics_devices.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "platform/graphics_devices.h"

namespace {

// Room for the device folder, "/dri/" and a node's name; a longer path is never opened
// (cut, it would name some other node).
constexpr int kDevicePathBytes = 512;

bool JoinPath(char (&path)[kDevicePathBytes], const char* folder, const char* name) {
    int n = std::snprintf(path, sizeof path, "%s/%s", folder, name);
    return n > 0 && n < kDevicePathBytes;
}

// Opened read-write as a driver would, and closed at once; no descriptor leaks into the
// processes the game starts meanwhile, and something that is no device (a pipe) cannot hold
// start-up waiting.
bool NodeOpens(const char* path) {
    int fd = open(path, O_RDWR | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (fd < 0)
        return false;
    close(fd);
    return true;
}

bool RenderNodeOpens(const char* devFolder) {
    char dri[kDevicePathBytes];
    if (!JoinPath(dri, devFolder, "dri"))
        return false;
    DIR* folder = opendir(dri);
    if (folder == nullptr)
        return false;
    bool found = false;
    while (!found) {
        const dirent* entry = readdir(folder);
        if (entry == nullptr)
            break;
        char node[kDevicePathBytes];
        found = std::strncmp(entry->d_name, "renderD", 7) == 0 &&
                JoinPath(node, dri, entry->d_name) && NodeOpens(node);
    }
    closedir(folder);
    return found;
}

bool NvidiaNodeOpens(const char* devFolder) {
    const char* const names[] = {"nvidia0", "nvidiactl"};
    for (const char* name : names) {
        char node[kDevicePathBytes];
        if (JoinPath(node, devFolder, name) && NodeOpens(node))
            return true;
    }
    return false;
}

}  // namespace

bool GraphicsDeviceUnder(const char* devFolder) {
    return RenderNodeOpens(devFolder) || NvidiaNodeOpens(devFolder);
}

bool ChoosesRenderer() {
    return true;
}

bool GraphicsDeviceOpenable() {
    return GraphicsDeviceUnder("/dev");
}
