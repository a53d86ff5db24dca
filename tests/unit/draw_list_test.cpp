// The draw list's vertex arithmetic, checked against values worked out by hand.
#include <gtest/gtest.h>

#include <memory>

#include "assets/resources.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/render.h"
#include "render/set_vertex.h"

namespace {

struct List {
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    std::unique_ptr<CDx_Gr> gr = std::make_unique<CDx_Gr>();
    List() {
        gr->settings = system.get();
        gr->scene = scene.get();
        FillAngleTables(*scene);
    }
    const SpriteVertex* Quad(uint32_t slot) const { return &gr->vertices[4 * slot]; }
};

DrawCommand FullScreen() {
    DrawCommand c{};
    c.dstW = 1280;
    c.dstH = 720;
    c.srcW = 512;
    c.srcH = 256;
    c.scaleX = 1.0f;
    c.scaleY = 1.0f;
    c.color = 0xFFFFFFFF;
    return c;
}

}  // namespace

TEST(DrawList, FullScreenCommandCoversTheClipSquare) {
    List l;
    DrawCommand c = FullScreen();
    EXPECT_EQ(l.gr->Submit(&c), 1);
    const SpriteVertex* v = l.Quad(0);
    EXPECT_FLOAT_EQ(v[0].x, -1.0f);
    EXPECT_FLOAT_EQ(v[0].y, -0.9999936f);
    EXPECT_FLOAT_EQ(v[3].x, 1.0f);
    EXPECT_FLOAT_EQ(v[3].y, 0.9999936f);
    EXPECT_FLOAT_EQ(v[1].x, -1.0f);  // left-top
    EXPECT_FLOAT_EQ(v[1].y, 0.9999936f);
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(v[k].z, 0.00005f);
    for (int k = 0; k < 4; ++k) EXPECT_FLOAT_EQ(v[k].a, 0.99609375f);
    EXPECT_EQ(l.gr->count, 1u);
}

TEST(DrawList, TextureEdgesCarryTheInsetByFlip) {
    List l;
    const float g = 0.000001f;
    DrawCommand c = FullScreen();
    l.gr->Submit(&c);
    const SpriteVertex* v = l.Quad(0);
    EXPECT_FLOAT_EQ(v[0].u, g);
    EXPECT_FLOAT_EQ(v[2].u, 1.0f + g);
    EXPECT_FLOAT_EQ(v[0].v, 0.5f + g);  // bottom
    EXPECT_FLOAT_EQ(v[1].v, g);         // top

    c.flip = 1;  // u swaps between left and right, and both u edges take -g
    l.gr->Submit(&c);
    v = l.Quad(1);
    EXPECT_FLOAT_EQ(v[0].u, 1.0f - g);
    EXPECT_FLOAT_EQ(v[2].u, -g);
    EXPECT_FLOAT_EQ(v[0].v, 0.5f + g);

    c.flip = 3;
    l.gr->Submit(&c);
    v = l.Quad(2);
    EXPECT_FLOAT_EQ(v[0].u, 1.0f + g);  // uR is +g under flip 3
    EXPECT_FLOAT_EQ(v[2].u, -g);
    EXPECT_FLOAT_EQ(v[0].v, -g);  // vT is -g, and the bottom vertex takes it
    EXPECT_FLOAT_EQ(v[1].v, 0.5f + g);

    c.flip = 7;  // any other value acts as none
    l.gr->Submit(&c);
    EXPECT_FLOAT_EQ(l.Quad(3)[0].u, g);

    c.sheet = 600;  // sheets from 528 on are addressed in 1/128 steps
    c.flip = 0;
    c.srcX = 64;
    c.srcW = 64;
    l.gr->Submit(&c);
    EXPECT_FLOAT_EQ(l.Quad(4)[0].u, 0.5f + g);
    EXPECT_FLOAT_EQ(l.Quad(4)[2].u, 1.0f + g);
}

TEST(DrawList, PivotAndScaleWorkAboutThePivotPoint) {
    List l;
    DrawCommand c{};
    c.dstX = 496;
    c.dstY = 24;
    c.dstW = 24;
    c.dstH = 24;
    c.scaleX = 2.0f;
    c.scaleY = 1.0f;
    c.pivotX = 12.0f;
    c.pivotY = 12.0f;
    l.gr->Submit(&c);
    const SpriteVertex* v = l.Quad(0);
    // Pivot at (508, 36); x from 508 - 24 to 508 + 24.
    EXPECT_FLOAT_EQ(v[0].x, (2.0f * 484.0f - 1280.0f) * 0.00078125f);
    EXPECT_FLOAT_EQ(v[3].x, (2.0f * 532.0f - 1280.0f) * 0.00078125f);
    EXPECT_FLOAT_EQ(v[0].y, (720.0f - 2.0f * 48.0f) * 0.00138888f);
    EXPECT_FLOAT_EQ(v[3].y, (720.0f - 2.0f * 24.0f) * 0.00138888f);
}

TEST(DrawList, QuarterYawCollapsesTheQuadToAVerticalLine) {
    List l;
    DrawCommand c = FullScreen();
    c.dstX = 100;
    c.yaw = 64;
    l.gr->Submit(&c);
    const SpriteVertex* v = l.Quad(0);
    const float x = (2.0f * 100.5f - 1280.0f) * 0.00078125f;
    for (int k = 0; k < 4; ++k) EXPECT_NEAR(v[k].x, x, 1e-6f);
    // The depth takes the width instead: -x1 x 0.0001 above the rotated base 0.8192.
    EXPECT_NEAR(v[0].z, 0.8192f, 1e-6f);
    EXPECT_NEAR(v[2].z, 0.8192f - 1280.0f * 0.0001f, 1e-6f);
}

TEST(DrawList, RollTurnsInTheScreenPlane) {
    List l;
    DrawCommand c{};
    c.dstW = 10;
    c.dstH = 10;
    c.scaleX = 1.0f;
    c.scaleY = 1.0f;
    c.roll = 64;  // a quarter turn: (x, y) becomes (-y, x)
    l.gr->Submit(&c);
    const SpriteVertex* v = l.Quad(0);
    // Vertex 2 is (right, bottom) = (10, 10) before the turn, (-10, 10) after.
    EXPECT_NEAR(v[2].x, (2.0f * -10.0f - 1280.0f) * 0.00078125f, 1e-6f);
    EXPECT_NEAR(v[2].y, (720.0f - 2.0f * 10.0f) * 0.00138888f, 1e-6f);
    EXPECT_NEAR(v[2].z, 0.5f * 0.0001f + 0.8192f, 1e-7f);
}

TEST(DrawList, ColourBytesAreDividedBy256) {
    List l;
    DrawCommand c = FullScreen();
    c.color = 0x80FF4000;
    c.blendMode = 1;
    c.sheet = 5;
    l.gr->Submit(&c);
    const SpriteVertex& v = l.Quad(0)[0];
    EXPECT_FLOAT_EQ(v.r, 255.0f / 256.0f);
    EXPECT_FLOAT_EQ(v.g, 64.0f / 256.0f);
    EXPECT_FLOAT_EQ(v.b, 0.0f);
    EXPECT_FLOAT_EQ(v.a, 0.5f);
    EXPECT_EQ(l.gr->colors[0], 0x80FF4000u);
    EXPECT_EQ(l.gr->blendModes[0], 1);
    EXPECT_EQ(l.gr->sheets[0], 5);
}

TEST(DrawList, FullListDrawsTheFirst14969AndOverwritesTheLastSlot) {
    List l;
    DrawCommand c = FullScreen();
    for (int k = 0; k < 15000; ++k) {
        c.sheet = k;
        l.gr->Submit(&c);
    }
    EXPECT_EQ(l.gr->count, 14969u);
    EXPECT_EQ(l.gr->sheets[14968], 14968);
    EXPECT_EQ(l.gr->sheets[14969], 14999);
}

TEST(DrawList, ResetEmptiesTheListButKeepsBlendModes) {
    List l;
    DrawCommand c = FullScreen();
    c.blendMode = 1;
    l.gr->Submit(&c);
    l.gr->ResetDrawList();
    EXPECT_EQ(l.gr->count, 0u);
    EXPECT_EQ(l.gr->colors[0], 0u);
    EXPECT_FLOAT_EQ(l.Quad(0)[0].x, 0.0f);
    EXPECT_EQ(l.gr->blendModes[0], 1);
}

// Reset clears only the slots in use; a full list's overwritten last slot is one of them.
TEST(DrawList, ResetAfterAFullListLeavesEverySlotZero) {
    List l;
    DrawCommand c = FullScreen();
    c.color = 0xFF102030u;
    for (int k = 0; k < 15000; ++k) l.gr->Submit(&c);
    l.gr->ResetDrawList();
    for (int k = 0; k < 3; ++k) l.gr->Submit(&c);  // a shorter list, then empty again
    l.gr->ResetDrawList();
    const auto* bytes = reinterpret_cast<const unsigned char*>(l.gr->vertices);
    size_t nonzero = 0;
    for (size_t i = 0; i < sizeof l.gr->vertices; ++i) nonzero += bytes[i] != 0;
    for (int k = 0; k < kDrawListSlots; ++k) nonzero += l.gr->colors[k] != 0 || l.gr->sheets[k] != 0;
    EXPECT_EQ(nonzero, 0u);
}

TEST(DrawList, ForwarderSubmitsAndKeepsACommandLogWhenAsked) {
    List l;
    static DrawCommand log[kDrawListSlots];
    l.gr->commandLog = log;
    CSetVerTex forward(l.gr.get(), l.system.get(), l.scene.get());
    DrawCommand c = FullScreen();
    c.dstX = 77;
    EXPECT_EQ(forward.Submit(&c), 1);
    EXPECT_EQ(l.gr->count, 1u);
    EXPECT_EQ(log[0].dstX, 77);
}
