// Game: the root object. It owns one each of the five parts for the whole run and is reached
// through the process-wide pointer theGame; the parts find each other through it.
#pragma once

class System;
class MapSceneEntity;
class CDx_Gr;
class CXi;
class CXa2;

class Game {
public:
    // Creates the parts in this order: System, MapSceneEntity, CDx_Gr, CXi, CXa2.
    Game();
    // Deletes them in the reverse order CXa2, CXi, CDx_Gr, MapSceneEntity, System.
    virtual ~Game();

    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    System* system = nullptr;
    MapSceneEntity* scene = nullptr;
    CDx_Gr* graphics = nullptr;
    CXi* input = nullptr;
    CXa2* audio = nullptr;
};

extern Game* theGame;

#include <cstdint>

// The thread that created the main window and its process, recorded once by start-up after
// the window exists; the piece generator seeds from them.
extern uint32_t theWindowThreadId;
extern uint32_t theWindowProcessId;
