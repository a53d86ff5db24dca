// LoadResources: everything the game plays with, loaded once at start-up in a fixed order:
// the angle tables, the sounds (when there is sound), then the pictures. Every failure has
// shown its own message by the time it returns false; the caller ends the program.
#include "assets/resources.h"

#include "assets/picture_prefetch.h"
#include "assets/pictures.h"
#include "assets/sound_loading.h"
#include "audio/effect_prefetch.h"
#include "game/game.h"
#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "platform/message_box.h"
#include "platform/path16.h"

namespace {

// The picture stage, which runs whether or not any sound was loaded.
bool LoadPictureStage(System& system, MapSceneEntity& scene) {
    CLoadFile loader(&system, &scene);
    loader.ReleaseBlock();
    system.bgmTrack = 0;
    scene.backgroundNumber = 0;  // one 64-bit store in the game: the neighbour goes too
    scene.backgroundNeighbour = 0;
    char16_t path[kPathUnits];
    (void)DataFilePath(system, u"grp\\grp_0003.txt", path);
    if (!loader.ReadPictureList(path)) {
        ShowMessage(u"Error", u"失敗しました。1");
        return false;
    }
    if (!LoadPictures()) {
        ShowMessage(u"Error", u"失敗しました。4");
        return false;
    }
    return true;
}

}  // namespace

bool DataFilePath(const System& system, const char16_t* name, char16_t (&path)[kPathUnits]) {
    if (TextCopy(path, kPathUnits, system.dataPath) && TextAppend(path, kPathUnits, name)) {
        return true;
    }
    path[0] = 0;  // a cut path could name some other file: this one opens nothing
    return false;
}

bool LoadResources() {
    System& system = *theGame->system;
    MapSceneEntity& scene = *theGame->scene;
    FillAngleTables(scene);
    // The sheets decode on their own thread while the sounds load.
    if (scene.reloadPending == 1)
        StartPicturePrefetch(system);
    const bool sounds = LoadSounds(system, scene);
    DiscardPreparedEffects();  // whatever the effect loader did not take
    const bool loaded = sounds && LoadPictureStage(system, scene);
    DiscardPreparedPictures();
    return loaded;
}
