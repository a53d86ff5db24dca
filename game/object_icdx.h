// CObjectIcDX: the game scene's object for the play frame and the overlays drawn over every
// scene. Built on the stack each frame; holds pointers into the Game object, owns nothing.
#pragma once

#include <cstdint>

class CDx_Gr;
class CXa2;
class System;
class MapSceneEntity;
class CSetVerTex;
struct PlayState;

class CObjectIcDX {
public:
    CObjectIcDX();  // takes its pointers from theGame
    virtual ~CObjectIcDX();

    CDx_Gr* graphics;
    System* system;
    MapSceneEntity* scene;
    CXa2* audio;

    // The play frame on thePlayState: queue, motion, locking, rows, level and score, then
    // the play drawing.
    void RunPlayFrame();
    // The play drawing in its fixed order, the game-over sequence last.
    void DrawPlayScene(PlayState& play);
    // Curtain, picture and cover fade of a game that has ended, then the end of the game.
    void StepGameOver(PlayState& play, CSetVerTex& forward);

    // The four bands that frame the open area (also drawn by the title scene).
    void DrawBorderBands();
    // " %8d %8d %8d %8d" of the status values, below the open area (also the title's).
    void DrawStatusLine();
};
