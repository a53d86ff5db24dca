// The draw list: Submit turns each command into four clip-space vertices at once, in single
// precision and in the game's order of operations, so the picture is the same everywhere.
#include <cstring>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/render.h"
#include "render/set_vertex.h"

namespace {

struct Edges {
    float uL, uR, vT, vB;
};

// Texture edges with the inset, whose sign depends on the flip.
Edges TextureEdges(const DrawCommand& c, float g) {
    const float f = c.sheet < 528 ? 0.001953125f : 0.0078125f;
    Edges e{static_cast<float>(c.srcX) * f, static_cast<float>(c.srcX + c.srcW) * f,
            static_cast<float>(c.srcY) * f, static_cast<float>(c.srcY + c.srcH) * f};
    switch (c.flip) {
        case 1:
            e.uL -= g; e.uR -= g; e.vT += g; e.vB += g;
            break;
        case 2:
            e.uL += g; e.uR += g; e.vT -= g; e.vB += g;
            break;
        case 3:
            e.uL -= g; e.uR += g; e.vT -= g; e.vB += g;
            break;
        default:
            e.uL += g; e.uR += g; e.vT += g; e.vB += g;
            break;
    }
    return e;
}

// Texture coordinates of vertices 0..3 (left-bottom, left-top, right-bottom, right-top).
void SetTexture(SpriteVertex* v, const Edges& e, int32_t flip) {
    float uLeft = e.uL, uRight = e.uR, vBottom = e.vB, vTop = e.vT;
    if (flip == 1 || flip == 3) {
        uLeft = e.uR;
        uRight = e.uL;
    }
    if (flip == 2 || flip == 3) {
        vBottom = e.vT;
        vTop = e.vB;
    }
    v[0].u = uLeft;  v[0].v = vBottom;
    v[1].u = uLeft;  v[1].v = vTop;
    v[2].u = uRight; v[2].v = vBottom;
    v[3].u = uRight; v[3].v = vTop;
}

// Roll in the screen plane, then yaw, then pitch; the tables' doubles taken as floats.
// Indices are kept to the tables' 256 entries.
void Rotate(SpriteVertex& v, const DrawCommand& c, const MapSceneEntity& m) {
    float co = static_cast<float>(m.cosTable[c.roll & 255]);
    float si = static_cast<float>(m.sinTable[c.roll & 255]);
    float x1 = v.x * co - v.y * si;
    float y1 = v.x * si + v.y * co;
    co = static_cast<float>(m.cosTable[c.yaw & 255]);
    si = static_cast<float>(m.sinTable[c.yaw & 255]);
    float x2 = x1 * co + 0.5f * si;
    float z2 = 0.5f * co - x1 * si;
    co = static_cast<float>(m.cosTable[c.pitch & 255]);
    si = static_cast<float>(m.sinTable[c.pitch & 255]);
    float y3 = y1 * co - z2 * si;
    float z3 = z2 * co + y1 * si;
    v.x = x2;
    v.y = y3;
    v.z = z3;
}

}  // namespace

int32_t CDx_Gr::Submit(const DrawCommand* command) {
    const DrawCommand& c = *command;
    const uint32_t n = count;
    sheets[n] = c.sheet;
    colors[n] = c.color;
    blendModes[n] = c.blendMode;
    if (commandLog != nullptr) commandLog[n] = c;
    if (n < kDrawnCommands) count = n + 1;  // a full list keeps overwriting its last slot

    SpriteVertex* v = &vertices[4 * n];
    SetTexture(v, TextureEdges(c, settings->texelInset), c.flip);

    const float left = -c.pivotX * c.scaleX;
    const float right = (static_cast<float>(c.dstW) - c.pivotX) * c.scaleX;
    const float top = -c.pivotY * c.scaleY;
    const float bottom = (static_cast<float>(c.dstH) - c.pivotY) * c.scaleY;
    v[0].x = left;  v[0].y = bottom;
    v[1].x = left;  v[1].y = top;
    v[2].x = right; v[2].y = bottom;
    v[3].x = right; v[3].y = top;

    const float r = static_cast<float>((c.color >> 16) & 255) / 256.0f;
    const float g = static_cast<float>((c.color >> 8) & 255) / 256.0f;
    const float b = static_cast<float>(c.color & 255) / 256.0f;
    const float a = static_cast<float>(c.color >> 24) / 256.0f;
    const bool rotated = c.roll != 0 || c.yaw != 0 || c.pitch != 0;
    const float px = static_cast<float>(c.dstX) + c.pivotX;
    const float py = static_cast<float>(c.dstY) + c.pivotY;
    for (int k = 0; k < 4; ++k) {
        v[k].z = 0.5f;
        v[k].r = r;
        v[k].g = g;
        v[k].b = b;
        v[k].a = a;
        if (rotated) Rotate(v[k], c, *scene);
        const float X = px + v[k].x;
        const float Y = py + v[k].y;
        v[k].x = (2.0f * X - 1280.0f) * 0.00078125f;
        v[k].y = (720.0f - 2.0f * Y) * 0.00138888f;
        v[k].z = v[k].z * 0.0001f;
        if (rotated) v[k].z += 0.8192f;
    }
    return 1;
}

void CDx_Gr::ResetDrawList() {
    // The whole list reads as zeros again. Only Submit writes it, below count (a full list
    // also in its last slot), so clearing the used slots is enough: clearing all 2 MB every
    // frame cost more than drawing a game's frame does.
    const uint32_t used = count < kDrawnCommands ? count : kDrawListSlots;
    count = 0;
    std::memset(sheets, 0, sizeof sheets[0] * used);
    std::memset(colors, 0, sizeof colors[0] * used);
    std::memset(vertices, 0, sizeof vertices[0] * 4 * used);
    // blendModes stays: every Submit rewrites its slot's three fields.
}

CSetVerTex::CSetVerTex(CDx_Gr* g, System* s, MapSceneEntity* m) : graphics(g), system(s), scene(m) {}
CSetVerTex::~CSetVerTex() = default;

int32_t CSetVerTex::Submit(const DrawCommand* command) {
    graphics->Submit(command);
    return 1;
}
