// Loop files of any bytes, in every encoding the reader recognises.
#include <memory>

#include "assets/load_sound.h"
#include "game/system.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("track.sli");
    file.Write(data, size);
    auto system = std::make_unique<System>();
    CLoadSnd loader(nullptr, system.get());
    (void)loader.ReadLoopFile(file.path, 5);
    return 0;
}
