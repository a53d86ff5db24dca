// How the sprite batch treats one command: its blend kind and blend factor from the colour
// and blend mode, which neighbouring commands may share a draw, and which commands cannot
// change a visible pixel. Plain arithmetic, shared by every graphics backend.
#pragma once

#include <cstdint>

#include "render/draw_command.h"

// How a command blends, chosen from its blend mode and colour by BlendKindOf.
enum BlendKind : int32_t {
    kBlendOwnAlpha = 0,         // the picture over the frame by its own alpha
    kBlendMixByFactor = 1,      // mixed with the frame by the factor, channel by channel
    kBlendReplaceByFactor = 2,  // the factor-scaled picture replaces the frame
    kBlendAlternative = 3,      // src x (1 - factor) + dst x dst
};
inline constexpr int32_t kBlendKinds = 4;
inline constexpr int32_t kNoBlendKind = -1;  // before the frame's first command binds one
// The blend state each kind binds, numbered as the device creates them (1 to 6).
inline constexpr int32_t kBlendStateOfKind[kBlendKinds] = {1, 2, 3, 6};
inline constexpr int32_t kPictureSlots = 64;
inline constexpr int32_t kNoPicture = -1;

struct BlendFactor {
    float r, g, b, a;
};

// Translucent: mixed; opaque white: by the picture's alpha; opaque and tinted: replaced.
[[nodiscard]] inline int32_t BlendKindOf(int32_t blendMode, uint32_t color) {
    if (blendMode == kBlendModeAlternative)
        return kBlendAlternative;
    if (blendMode != kBlendModeByColor)
        return kBlendOwnAlpha;
    if ((color >> 24) != 255)
        return kBlendMixByFactor;
    return (color & 0xFFFFFFu) == 0xFFFFFFu ? kBlendOwnAlpha : kBlendReplaceByFactor;
}

// Each colour byte over 256, red, green and blue times alpha.
[[nodiscard]] inline BlendFactor BlendFactorOf(uint32_t color) {
    const float a = static_cast<float>(color >> 24) / 256.0f;
    const float r = static_cast<float>((color >> 16) & 255) / 256.0f;
    const float g = static_cast<float>((color >> 8) & 255) / 256.0f;
    const float b = static_cast<float>(color & 255) / 256.0f;
    return BlendFactor{r * a, g * a, b * a, a};
}

// Sheet numbers 0..63 name picture slots; every other number draws with no picture.
[[nodiscard]] inline int32_t PictureSlotOf(int32_t sheet) {
    return sheet >= 0 && sheet < kPictureSlots ? sheet : kNoPicture;
}

// What one command needs bound: consecutive commands with equal keys can be drawn by one
// call, since blending follows primitive order within a call just as between calls.
struct DrawKey {
    int32_t kind;
    uint32_t color;  // the factor's source; kBlendOwnAlpha's state does not read the factor
    int32_t picture;
};

[[nodiscard]] inline DrawKey DrawKeyOf(int32_t blendMode, uint32_t color, int32_t sheet) {
    const int32_t kind = BlendKindOf(blendMode, color);
    return DrawKey{kind, kind == kBlendOwnAlpha ? 0u : color, PictureSlotOf(sheet)};
}

[[nodiscard]] inline bool SharesDraw(const DrawKey& a, const DrawKey& b) {
    return a.kind == b.kind && a.color == b.color && a.picture == b.picture;
}

// A mix with a zero factor writes src x 0 + dst x 1: every visible channel as it was. (The
// frame's alpha channel is never shown nor blended with, so it does not count.)
[[nodiscard]] inline bool MixesNothing(const DrawKey& key) {
    return key.kind == kBlendMixByFactor &&
           ((key.color >> 24) == 0 || (key.color & 0xFFFFFFu) == 0);
}
