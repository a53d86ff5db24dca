// Game.ini of any bytes: loads, saves what it loaded, and the second load reads the same.
#include <cstdlib>
#include <cstring>
#include <memory>

#include "game/map_scene_entity.h"
#include "game/system.h"
#include "persist/load_file.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("Game.ini");
    file.Write(data, size);
    auto system = std::make_unique<System>();
    auto scene = std::make_unique<MapSceneEntity>();
    CLoadFile loader(system.get(), scene.get());
    loader.LoadSettings(file.path);
    uint8_t first[kSettingsFileBytes];
    EncodeSettings(*system, *scene, first);
    if (!loader.SaveSettings(file.path)) std::abort();
    auto system2 = std::make_unique<System>();
    auto scene2 = std::make_unique<MapSceneEntity>();
    CLoadFile reloader(system2.get(), scene2.get());
    reloader.LoadSettings(file.path);
    uint8_t second[kSettingsFileBytes];
    EncodeSettings(*system2, *scene2, second);
    if (std::memcmp(first, second, sizeof first) != 0) std::abort();
    return 0;
}
