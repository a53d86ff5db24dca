// The eight sheets decoded on a second thread while the main thread loads the sounds. The
// picture pass takes a sheet from here only when it was decoded from the very path the pass
// names; a sheet the thread has not reached is decoded by the pass itself, and every failure
// is decoded again by the pass, so every message comes where it always did.
#pragma once

#include <cstdint>

class System;
struct PictureSection;

// Main thread, before the sounds load. Does nothing while a file fault is being injected
// (the faults count the loader's own opens).
void StartPicturePrefetch(const System& system);

// Main thread: waits for the thread to end. Safe to call when nothing was started.
void FinishPicturePrefetch();

// Main thread: the sheet for slot decoded from path (the caller then owns it), else null. A
// slot the thread is decoding is waited for; one it has not reached is left to the caller.
[[nodiscard]] PictureSection* TakePreparedPicture(const char16_t* path, int32_t slot);

// Main thread: waits for the thread and frees whatever was not taken.
void DiscardPreparedPictures();
