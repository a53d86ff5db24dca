// The choice of the way to the screen on Linux, made once at start-up before the window
// exists: the player's TESSAROID_RENDERER where it names one, else OpenGL where the machine
// has a graphics device and the software renderer where it has none.
#pragma once

#include <cstdint>

// Why the renderer was chosen; the start-up line says it.
enum RendererReason : int32_t {
    kChosenByPlayer = 0,     // TESSAROID_RENDERER named it
    kChosenDeviceFound = 1,  // a graphics device opened
    kChosenNoDevice = 2,     // none did: OpenGL would be a software rasteriser
};

struct RendererChoice {
    int32_t renderer = 0;  // RendererKind
    int32_t reason = kChosenDeviceFound;
    bool valueIgnored = false;  // TESSAROID_RENDERER held something else, chosen as if unset
};

// From TESSAROID_RENDERER's value ("software", "opengl"; null or empty: unset) and the probe,
// which is asked only when the value does not decide.
[[nodiscard]] RendererChoice ChooseRenderer(const char* value, bool (*deviceOpenable)());

// The start-up line naming the choice and why, and before it a line about a value that was
// not understood (quoted, cut short). Written into text, always terminated; returns its length.
int32_t DescribeRendererChoice(const RendererChoice& choice, const char* value, char* text,
                               int32_t size);
