// What the renderer draws again and what it may leave out: quads' pixel and texel bounds,
// the areas where one list differs from the last, and the commands hidden beneath later
// opaque ones or drawing only transparent texels.
#include <gtest/gtest.h>

#include <memory>

#include "assets/resources.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "render/changed_areas.h"
#include "render/hidden_commands.h"
#include "render/render.h"
#include "render/sheet_coverage.h"

namespace {

constexpr int32_t kWidth = 1280;
constexpr int32_t kHeight = 720;
constexpr int32_t kTiles = 3;  // sheet 3: a row of 8 x 8 tiles at (0, 0), tile 0 transparent

struct Frame {
    std::unique_ptr<System> system = std::make_unique<System>();
    std::unique_ptr<MapSceneEntity> scene = std::make_unique<MapSceneEntity>();
    std::unique_ptr<CDx_Gr> gr = std::make_unique<CDx_Gr>();
    std::unique_ptr<SheetCoverage> sheets = std::make_unique<SheetCoverage>();
    std::unique_ptr<FramePlan> plan = std::make_unique<FramePlan>();
    std::unique_ptr<FrameHistory> kept = std::make_unique<FrameHistory>();

    Frame() {
        gr->settings = system.get();
        gr->scene = scene.get();
        FillAngleTables(*scene);
        auto texels = std::make_unique<uint16_t[]>(kPictureTexels);
        for (int32_t y = 0; y < kPictureSide; ++y) {
            for (int32_t x = 0; x < kPictureSide; ++x) {
                const bool tileZero = x < 8 && y < 8;
                const bool rightEdge = x == kPictureSide - 1 && y >= 8;  // a transparent column
                texels[y * kPictureSide + x] = tileZero || rightEdge ? 0x7C1F : 0x8000;
            }
        }
        NoteSheetTexels(*sheets, kTiles, texels.get());
    }
    void Submit(const DrawCommand& c) { gr->Submit(&c); }
    void Plan() { PlanFrame(*gr, *sheets, kWidth, kHeight, true, *plan); }
    ChangedAreas Changes() {
        ChangedAreas changed;
        FindChangedAreas(*gr, kWidth, kHeight, *kept, changed);
        return changed;
    }
    const SpriteVertex* Quad(uint32_t i) const { return &gr->vertices[4 * i]; }
};

// Tile t of the row, 8 x 8, drawn 24 x 24 at x, y.
DrawCommand Tile(int32_t t, int32_t x, int32_t y, uint32_t color = kOpaqueWhite) {
    DrawCommand c = SpriteCommand(kTiles, {8 * t, 0, 8, 8}, {x, y, 24, 24}, color);
    return c;
}

// Pixel rows count from the bottom: a destination row y of height h is rows 720-y-h..720-y.
PixelRect Rows(int32_t x, int32_t y, int32_t w, int32_t h) {
    return PixelRect{x, kHeight - y - h, x + w, kHeight - y};
}

bool Contains(const PixelRect& outer, const PixelRect& inner) {
    return outer.x0 <= inner.x0 && outer.y0 <= inner.y0 && outer.x1 >= inner.x1 &&
           outer.y1 >= inner.y1;
}

}  // namespace

TEST(QuadPixels, AnUnturnedSpriteCoversExactlyItsPixelsAndSamplesItsTexels) {
    Frame f;
    f.Submit(Tile(2, 240, 96));
    const PixelRect exact = Rows(240, 96, 24, 24);
    const PixelRect interior = InteriorOf(f.Quad(0), kWidth, kHeight);
    EXPECT_EQ(interior.x0, exact.x0);
    EXPECT_EQ(interior.x1, exact.x1);
    EXPECT_EQ(interior.y0, exact.y0);
    EXPECT_EQ(interior.y1, exact.y1);
    EXPECT_TRUE(Contains(ReachOf(f.Quad(0), kWidth, kHeight), exact));
    for (double margin : {kCertainMargin, kPossibleMargin}) {
        TexelSpan columns, rows;
        ASSERT_TRUE(SampledTexels(f.Quad(0), kWidth, kHeight, margin, kPictureSide, columns, rows));
        EXPECT_EQ(columns.first, 16);
        EXPECT_EQ(columns.count, 8);
        EXPECT_EQ(rows.first, 0);
        EXPECT_EQ(rows.count, 8);
    }
}

TEST(QuadPixels, TurnedOffFrameAndBrokenQuadsHaveNoInterior) {
    Frame f;
    DrawCommand turned = Tile(2, 240, 96);
    turned.roll = 10;
    f.Submit(turned);
    f.Submit(Tile(2, 2000, 96));
    EXPECT_TRUE(InteriorOf(f.Quad(0), kWidth, kHeight).Empty());
    EXPECT_FALSE(ReachOf(f.Quad(0), kWidth, kHeight).Empty());
    EXPECT_TRUE(ReachOf(f.Quad(1), kWidth, kHeight).Empty());
    f.gr->vertices[0].x = __builtin_nanf("");
    const PixelRect all = ReachOf(f.Quad(0), kWidth, kHeight);
    EXPECT_EQ(all.Area(), int64_t{kWidth} * kHeight);
}

TEST(SheetCoverage, SpansWrapRoundTheSheet) {
    Frame f;
    EXPECT_TRUE(OpaqueTexels(*f.sheets, kTiles, {8, 500}, {8, 100}));
    EXPECT_FALSE(OpaqueTexels(*f.sheets, kTiles, {500, 20}, {8, 10}));    // reaches column 511
    EXPECT_FALSE(OpaqueTexels(*f.sheets, kTiles, {512 + 4, 2}, {0, 2}));  // tile 0 again
    EXPECT_TRUE(OpaqueTexels(*f.sheets, kTiles, {-504, 8}, {-504, 8}));   // tile 1, wrapped
    EXPECT_TRUE(TransparentTexels(*f.sheets, kTiles, {0, 8}, {512, 8}));
    EXPECT_FALSE(TransparentTexels(*f.sheets, kTiles, {0, 9}, {0, 8}));
    EXPECT_TRUE(OpaqueTexels(*f.sheets, 9, {0, 8}, {0, 8}));  // no picture: black
    EXPECT_FALSE(TransparentTexels(*f.sheets, kNoPicture, {0, 8}, {0, 8}));
}

TEST(ChangedAreas, OnlyWhatDiffersFromTheLastListIsDrawnAgain) {
    Frame f;
    f.Submit(Tile(1, 0, 0));
    f.Submit(Tile(2, 600, 300));
    ChangedAreas first = f.Changes();
    ASSERT_EQ(first.count, 1);
    EXPECT_EQ(first.areas[0].Area(), int64_t{kWidth} * kHeight);  // nothing kept yet

    f.gr->ResetDrawList();
    f.Submit(Tile(1, 0, 0));
    f.Submit(Tile(2, 600, 300));
    EXPECT_EQ(f.Changes().count, 0);

    f.gr->ResetDrawList();
    f.Submit(Tile(1, 0, 0));
    f.Submit(Tile(2, 600, 324));  // one cell down
    ChangedAreas moved = f.Changes();
    ASSERT_EQ(moved.count, 1);
    EXPECT_TRUE(Contains(moved.areas[0], Rows(600, 300, 24, 48)));
    EXPECT_LT(moved.areas[0].Area(), 40 * 60);

    f.gr->ResetDrawList();
    f.Submit(Tile(1, 0, 0));
    f.Submit(Tile(2, 600, 324, 0xFFFF0000));  // only its colour
    f.Submit(Tile(3, 1200, 600));             // one more
    ChangedAreas two = f.Changes();
    EXPECT_EQ(two.count, 2);

    f.gr->ResetDrawList();
    f.Submit(Tile(1, 0, 0));  // the other two gone
    ChangedAreas gone = f.Changes();
    ASSERT_EQ(gone.count, 2);
    EXPECT_TRUE(Contains(gone.areas[0], Rows(600, 324, 24, 24)) ||
                Contains(gone.areas[1], Rows(600, 324, 24, 24)));
}

TEST(ChangedAreas, OverlappingAreasJoinAndAFullSetTakesTheCheapestJoin) {
    ChangedAreas c;
    c.Add(PixelRect{0, 0, 10, 10});
    c.Add(PixelRect{5, 5, 20, 20});
    ASSERT_EQ(c.count, 1);
    EXPECT_EQ(c.areas[0].x1, 20);
    for (int k = 1; k <= 4; ++k) c.Add(PixelRect{100 * k, 0, 100 * k + 10, 10});
    EXPECT_EQ(c.count, kMaxChangedAreas);
    int64_t area = 0;
    for (int k = 0; k < c.count; ++k) area += c.areas[k].Area();
    EXPECT_LT(area, 4000);  // the two nearest joined, not everything into one
    c.Add(PixelRect{});
    EXPECT_EQ(c.count, kMaxChangedAreas);
}

TEST(FramePlan, CommandsBeneathOpaqueTilesAreLeftOutAndTheRestDrawn) {
    Frame f;
    f.Submit(Tile(1, 240, 96));              // 0: wholly beneath 1
    f.Submit(Tile(2, 240, 96));              // 1: only partly beneath 4
    f.Submit(Tile(1, 240, 96, 0x80FFFFFF));  // 2: translucent: shows, hides nothing
    f.Submit(Tile(0, 240, 96));              // 3: a transparent tile draws nothing
    f.Submit(Tile(3, 250, 96));              // 4
    f.Submit(Tile(3, 480, 96, 0xFF00FF00));  // 5: tinted, it replaces what is below
    f.Plan();
    const bool hidden[] = {true, false, false, true, false, false};
    const bool overwrites[] = {false, true, false, false, true, true};  // of those drawn
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(f.plan->hidden[i], hidden[i]) << i;
        EXPECT_EQ(f.plan->overwrites[i], overwrites[i]) << i;
    }
}

TEST(FramePlan, TurnedTranslucentOrPartlyTransparentCommandsHideNothing) {
    Frame f;
    f.Submit(Tile(1, 240, 96));
    DrawCommand turned = SpriteCommand(kTiles, {8, 8, 64, 64}, {200, 60, 100, 100});
    turned.roll = 1;
    f.Submit(turned);
    f.Submit(SpriteCommand(kTiles, {448, 8, 64, 64}, {200, 60, 100, 100}));  // column 511
    f.Submit(SpriteCommand(kTiles, {8, 0, 64, 64}, {200, 60, 100, 100}, 0x80FFFFFF));
    f.Plan();
    EXPECT_FALSE(f.plan->hidden[0]);
    EXPECT_FALSE(f.plan->overwrites[1]);
    EXPECT_FALSE(f.plan->overwrites[2]);

    // An opaque fade (no picture) hides everything before it.
    f.Submit(SpriteCommand(120, {0, 0, 1280, 720}, {0, 0, 1280, 720}));
    f.Plan();
    for (int i = 0; i < 4; ++i) EXPECT_TRUE(f.plan->hidden[i]) << i;
    EXPECT_FALSE(f.plan->hidden[4]);
}
