// The Ogg Vorbis effects decoded on a second thread while start-up makes the window, the
// device and the audio engine, which is most of the time before the first frame. The effect
// loader takes an effect from here only when it was decoded from the very path the loader
// names; everything else is loaded as before, so every message comes where it always did.
#pragma once

#include <cstdint>

class System;

// Main thread, once the data path is known. Does nothing unless the sound mode is 2, and
// nothing while a file fault is being injected (the faults count the loader's own opens).
void StartEffectPrefetch(const System& system);

// Main thread: waits for the decoding to end. Safe to call when nothing was started.
void FinishEffectPrefetch();

// Main thread, after FinishEffectPrefetch: effect n's decoded bytes if they were decoded from
// path (the caller then owns them and gets their count in bytes), else null.
[[nodiscard]] uint8_t* TakePreparedEffect(const char16_t* path, int32_t n, int32_t* bytes);

// Main thread: waits for the decoding and frees whatever was not taken.
void DiscardPreparedEffects();
