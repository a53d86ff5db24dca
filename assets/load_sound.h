// CLoadSnd: the sound side of start-up loading. A short-lived worker on the stack holding
// pointers into the Game object; it owns nothing.
#pragma once

#include <cstdint>

#include "game/game.h"

class CLoadSnd {
public:
    CLoadSnd() : audio(theGame->audio), system(theGame->system) {}
    CLoadSnd(CXa2* a, System* s) : audio(a), system(s) {}
    virtual ~CLoadSnd() = default;

    CXa2* audio;
    System* system;

    // Reads a track's .sli file into LoopStart[n] and LoopLength[n]. False (with the
    // not-found message) when it cannot be opened.
    [[nodiscard]] bool ReadLoopFile(const char16_t* path, int32_t n);
    // The music voice and the 64 tracks' block areas. False when the voice cannot be made.
    [[nodiscard]] bool CreateMusicVoice();
    // Starts the music streaming thread; false (with its message) when it cannot.
    [[nodiscard]] bool StartStreamThread();
};

// The number after "key" at the start of line, as an unsigned scan reads it; false when the
// line does not start with key or no digits follow.
[[nodiscard]] bool ScanLoopValue(const char16_t* line, const char16_t* key, uint32_t* value);
