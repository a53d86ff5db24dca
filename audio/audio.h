// CXa2: all sound output. The engine, the 32 effect voices and the music voice with its
// streaming thread; every operation is a no-op unless sound mode is 1 or 2 and sound is on.
#pragma once

#include <cstdint>

class System;

class CXa2 {
public:
    CXa2();
    virtual ~CXa2();

    System* settings = nullptr;
    int32_t blockSize = 32768;  // bytes per music block

    [[nodiscard]] bool InitAudio();
    void PlayEffect(int32_t n);
    void ServiceEffectVoices();
    void ApplyEffectVolume();
    void ReleaseAudio();
};
