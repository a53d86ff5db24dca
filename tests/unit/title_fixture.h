// A Game in the state start-up leaves, for driving title frames with chosen input bits and
// reading back the frame's draw list and the effects it played.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "assets/resources.h"
#include "audio/audio.h"
#include "frontend/title_icdx.h"
#include "frontend/title_scene.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/play_state.h"
#include "game/system.h"
#include "input/input.h"
#include "input/scripted_keys.h"
#include "persist/load_file.h"
#include "render/render.h"

inline DrawCommand theTestCommandLog[kDrawListSlots];

class TitleTest : public ::testing::Test {
protected:
    void SetUp() override {
        theGame = new Game();
        system = theGame->system;
        scene = theGame->scene;
        graphics = theGame->graphics;
        DeriveWorkingSettings(*system);
        graphics->settings = system;
        graphics->scene = scene;
        graphics->commandLog = theTestCommandLog;
        theGame->input->system = system;
        theGame->input->scene = scene;
        theGame->audio->settings = system;
        theGame->audio->effectLog = &effects;
        system->inputSource = system->padInputDefault;
        FillAngleTables(*scene);
        scene->reloadPending = 0;
        theTitleAnimation = {};
        theBoxFrameColor = kFirstBoxFrameColor;
        theSettingsShown = {};
    }

    void TearDown() override {
        SetScriptedPad(false, 0);
        delete theGame;
        theGame = nullptr;
    }

    // One title frame with these bits held; effects counts only this frame's.
    void Frame(int32_t dirs = 0, int32_t buttons = 0) {
        system->inputDirections = dirs;
        system->inputButtons = buttons;
        effects.count = 0;
        RunTitleFrame();
    }
    void Frames(int n, int32_t dirs = 0, int32_t buttons = 0) {
        int played = 0;
        for (int k = 0; k < n; ++k) {
            Frame(dirs, buttons);
            played += effects.count;
        }
        effects.count = played;
    }

    // The opening and the release: the menu active with the cursor on start.
    void OpenMenu() {
        Frames(10);
        ASSERT_EQ(block().titlePhase, kActive);
    }

    // A press of one frame and its release, so the next press acts at once.
    void Tap(int32_t dirs, int32_t buttons = 0) {
        Frame(dirs, buttons);
        Frame();
    }

    // Opens the ranking (1) or settings (2) panel fully and makes it active.
    void OpenPanel(int32_t item) {
        OpenMenu();
        for (int k = 0; k < item; ++k) Tap(kDownBit);
        Frames(9, 0, kDecisionBit);
        Frame();
        ASSERT_EQ(block().subScreen, kActive);
        ASSERT_EQ(block().panelOpenCount, kFullyOpen);
    }

    PauseAndTitleBlock& block() { return scene->block; }
    const DrawCommand& Draw(uint32_t k) const { return theTestCommandLog[k]; }
    uint32_t DrawCount() const { return graphics->count; }

    // The character a font glyph shows, from its source cell.
    static uint32_t GlyphChar(const DrawCommand& c) {
        return static_cast<uint32_t>(c.srcX / 16 + c.srcY / 2);
    }

    System* system = nullptr;
    MapSceneEntity* scene = nullptr;
    CDx_Gr* graphics = nullptr;
    EffectLog effects = {};
};
