// Ogg Vorbis effects of any bytes, decoded as start-up loads them (no voices behind them).
#include <memory>

#include "audio/audio.h"
#include "game/system.h"
#include "tests/fuzz/fuzz_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzFile file("effect.ogg");
    file.Write(data, size);
    auto system = std::make_unique<System>();
    system->audioMode = 2;
    CXa2 audio;
    audio.settings = system.get();
    (void)audio.LoadOggEffect(file.path, 7);
    delete[] audio.effectData[7];
    return 0;
}
