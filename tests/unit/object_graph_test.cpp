// The object graph's defaults and the layout rules other parts rely on.
#include <gtest/gtest.h>

#include <string>

#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "render/render.h"

TEST(ObjectGraph, SystemStartsWithItsDefaults) {
    System s;
    EXPECT_EQ(std::u16string(s.dataFolderName), u"data\\");
    EXPECT_EQ(s.clientWidth, 1280);
    EXPECT_EQ(s.clientHeight, 720);
    EXPECT_EQ(s.layoutWidth, 1248);
    EXPECT_EQ(s.layoutHeight, 720);
    EXPECT_EQ(s.active, 1);
    EXPECT_EQ(s.bgmRestart, 1);
    EXPECT_FLOAT_EQ(s.texelInset, 0.000001f);
    EXPECT_EQ(s.inputSource, 0);
    EXPECT_EQ(s.vsync, 0);
    EXPECT_EQ(s.audioMode, 0);
    EXPECT_EQ(s.programFolder[0], 0);
}

TEST(ObjectGraph, SceneStoreStartsOnTheTitleWithPicturesToLoad) {
    auto* m = new MapSceneEntity();
    EXPECT_EQ(m->sceneNumber, kSceneTitle);
    EXPECT_EQ(m->reloadPending, 1);
    EXPECT_EQ(m->heapBlock, nullptr);
    EXPECT_EQ(m->block.titlePhase, 0);
    EXPECT_EQ(m->rankingScores[10], 0);
    EXPECT_EQ(m->slots[15].tableF[2047], 0);
    delete m;
}

TEST(ObjectGraph, BlocksThatAreClearedTogetherStayTogether) {
    auto* m = new MapSceneEntity();
    auto gap = [](const void* a, const void* b) {
        return static_cast<const char*>(b) - static_cast<const char*>(a);
    };
    EXPECT_EQ(sizeof(PauseAndTitleBlock), 180u);
    EXPECT_EQ(gap(&m->fadeIn, &m->fadeOut), 4);
    EXPECT_EQ(gap(&m->backgroundNumber, &m->backgroundNeighbour), 4);
    EXPECT_EQ(gap(m->cosTable, m->sinTable), static_cast<long>(256 * sizeof(double)));
    delete m;
}

TEST(ObjectGraph, GameOwnsOneOfEachPartAndPadsStartConnected) {
    Game* game = new Game();
    ASSERT_NE(game->system, nullptr);
    ASSERT_NE(game->scene, nullptr);
    ASSERT_NE(game->graphics, nullptr);
    ASSERT_NE(game->input, nullptr);
    ASSERT_NE(game->audio, nullptr);
    for (const PadSlot& pad : game->input->pads) EXPECT_EQ(pad.connected, 1);
    EXPECT_EQ(game->graphics->device, nullptr);
    delete game;
}

TEST(ObjectGraph, HeapBlockReleaseIsSafeWhenNothingWasAllocated) {
    auto* m = new MapSceneEntity();
    ReleaseHeapBlock(*m);
    ReleaseHeapBlock(*m);
    EXPECT_EQ(m->heapBlock, nullptr);
    delete m;
}
