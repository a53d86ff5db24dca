// The resource lists of any bytes, read as the sound list (960 records) and as the picture
// list (64): every name must stay terminated inside its slot.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("list.txt");
    static auto system = std::make_unique<System>();
    static auto scene = std::make_unique<MapSceneEntity>();
    file.Write(data, size);
    std::memset(scene->soundNames, 0, sizeof scene->soundNames);
    std::memset(scene->pictureNames, 0, sizeof scene->pictureNames);
    CLoadFile loader(system.get(), scene.get());
    if (!loader.ReadSoundList(file.path) || !loader.ReadPictureList(file.path))
        std::abort();
    for (const auto& name : scene->soundNames) {
        if (name[kNameUnits - 1] != 0)
            std::abort();
    }
    for (const auto& name : scene->pictureNames) {
        if (name[kNameUnits - 1] != 0)
            std::abort();
    }
    return 0;
}
