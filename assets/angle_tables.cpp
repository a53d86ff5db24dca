// The angle tables: cosine and sine of i/256 of a full turn, in double precision.
#include <cmath>

#include "assets/resources.h"
#include "game/map_scene_entity.h"

void FillAngleTables(MapSceneEntity& scene) {
    for (int i = 0; i < 256; ++i) {
        double angle = i * 3.141592653589793 * 0.0078125;
        scene.cosTable[i] = std::cos(angle);
        scene.sinTable[i] = std::sin(angle);
    }
}
