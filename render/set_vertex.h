// CSetVerTex: the forwarding object the scenes build on their stack to submit through.
#pragma once

#include <cstdint>

#include "render/draw_command.h"

class CDx_Gr;
class System;
class MapSceneEntity;

class CSetVerTex {
public:
    CSetVerTex(CDx_Gr* graphics, System* system, MapSceneEntity* scene);
    virtual ~CSetVerTex();

    CDx_Gr* graphics;
    System* system;
    MapSceneEntity* scene;

    // Passes the command on to the renderer's Submit. Returns 1.
    int32_t Submit(const DrawCommand* command);
};
