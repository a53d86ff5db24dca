// The way to the screen chosen from the player's variable and the graphics-device probe,
// and the start-up line that says so.
#include "render/renderer_choice.h"

#include <cstdio>
#include <cstring>

#include "render/render.h"

RendererChoice ChooseRenderer(const char* value, bool (*deviceOpenable)()) {
    RendererChoice choice;
    if (value != nullptr && std::strcmp(value, "software") == 0) {
        choice.renderer = kRendererSoftware;
        choice.reason = kChosenByPlayer;
        return choice;
    }
    if (value != nullptr && std::strcmp(value, "opengl") == 0) {
        choice.renderer = kRendererOpenGL;
        choice.reason = kChosenByPlayer;
        return choice;
    }
    choice.valueIgnored = value != nullptr && value[0] != 0;
    const bool found = deviceOpenable();
    choice.renderer = found ? kRendererOpenGL : kRendererSoftware;
    choice.reason = found ? kChosenDeviceFound : kChosenNoDevice;
    return choice;
}

namespace {

const char* Why(const RendererChoice& choice) {
    switch (choice.reason) {
        case kChosenByPlayer:
            return choice.renderer == kRendererSoftware ? "TESSAROID_RENDERER=software"
                                                        : "TESSAROID_RENDERER=opengl";
        case kChosenNoDevice:
            return "no graphics device could be opened; TESSAROID_RENDERER=opengl overrides";
        default:
            return "a graphics device was found; TESSAROID_RENDERER=software overrides";
    }
}

// The value as it may be shown: at most 40 bytes, anything but printable ASCII as '?', so
// that a stray escape sequence in the variable cannot steer the player's terminal.
void Printable(const char* value, char (&out)[41]) {
    int i = 0;
    for (; value[i] != 0 && i < 40; ++i)
        out[i] = value[i] >= 0x20 && value[i] < 0x7F ? value[i] : '?';
    out[i] = 0;
}

}  // namespace

int32_t DescribeRendererChoice(const RendererChoice& choice, const char* value, char* text,
                               int32_t size) {
    if (size <= 0)
        return 0;
    int n = 0;
    if (choice.valueIgnored && value != nullptr) {
        char shown[41];
        Printable(value, shown);
        n = std::snprintf(text, static_cast<size_t>(size),
                          "Tessaroid: TESSAROID_RENDERER=\"%s\" is not understood (software or "
                          "opengl); it is ignored.\n",
                          shown);
    }
    if (n < 0 || n >= size)
        return size - 1;
    const char* way = choice.renderer == kRendererSoftware ? "the software renderer" : "OpenGL";
    int m = std::snprintf(text + n, static_cast<size_t>(size - n),
                          "Tessaroid: drawing with %s (%s).\n", way, Why(choice));
    if (m < 0 || m >= size - n)
        return size - 1;
    return n + m;
}
