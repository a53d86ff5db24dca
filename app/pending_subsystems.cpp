// Entry points of the subsystems that are still to be built. Each stays here until its own
// files take it over, so the frame loop and start-up already call everything in its final
// place and order.
#include "assets/pictures.h"
#include "game/game.h"
#include "game/map_scene_entity.h"

bool LoadPictures() {
    theGame->scene->reloadPending = 0;
    return true;
}
