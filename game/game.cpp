// Construction and destruction of the object graph, in the order the program relies on.
#include "game/game.h"

#include "audio/audio.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "input/input.h"
#include "render/render.h"

Game* theGame = nullptr;
uint32_t theWindowThreadId = 0;
uint32_t theWindowProcessId = 0;

System::System() = default;
System::~System() = default;

MapSceneEntity::MapSceneEntity() = default;
MapSceneEntity::~MapSceneEntity() = default;

Game::Game() {
    system = new System();
    scene = new MapSceneEntity();
    graphics = new CDx_Gr();
    input = new CXi();
    audio = new CXa2();
}

Game::~Game() {
    delete audio;
    audio = nullptr;
    delete input;
    input = nullptr;
    delete graphics;
    graphics = nullptr;
    delete scene;
    scene = nullptr;
    delete system;
    system = nullptr;
}
