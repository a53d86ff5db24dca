// System: the settings and shell state of the running program, one instance owned by Game.
// Plain fields only; the Parts that use a field write and read it directly.
#pragma once

#include <atomic>
#include <cstdint>

#include "game/stored_settings.h"
#include "platform/path16.h"

inline constexpr int kMusicTracks = 64;
inline constexpr int kSettingsLines = 11;
inline constexpr int kDataFolderNameUnits = 160;

// A field that the music streaming thread and the main thread share without a lock.
// Relaxed atomic loads and stores: the same plain reads and writes, with no data race.
class SharedInt {
public:
    SharedInt(int32_t v = 0) : value(v) {}
    SharedInt(const SharedInt&) = delete;
    SharedInt& operator=(const SharedInt&) = delete;
    operator int32_t() const { return value.load(std::memory_order_relaxed); }
    SharedInt& operator=(int32_t v) {
        value.store(v, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<int32_t> value;
};

class System {
public:
    System();
    virtual ~System();

    StoredSettings stored = kDefaultStoredSettings;
    char16_t dataFolderName[kDataFolderNameUnits] = u"data\\";
    int32_t clientWidth = 1280;
    int32_t clientHeight = 720;
    int32_t layoutWidth = 1248;
    int32_t layoutHeight = 720;
    int32_t framePattern = 0;
    int32_t timerMethod = 0;
    int32_t fullScreen = 0;
    int32_t vsync = 0;
    int32_t settingsEdit[kSettingsLines] = {};
    int32_t deviceRebuildRequest = 0;
    int32_t inputDirections = 0;
    int32_t inputButtons = 0;
    int32_t inputSource = 0;
    int32_t padInputDefault = 0;
    uint8_t buttonCodes[10] = {};
    uint8_t keyStates[256] = {};
    float texelInset = 0.000001f;
    int32_t loadedMark = 0;
    SharedInt active{1};
    int32_t frameSkip = 0;
    int32_t audioUnavailable = 0;
    int32_t audioMode = 0;
    SharedInt bgmTrack{0};
    int32_t bgmPreviousTrack = 0;
    int32_t bgmRestart = 1;
    int32_t bgmVolume = 0;
    int32_t seVolume = 0;
    int32_t bgmFadeCounter = 0;
    int32_t bgmFadeOut = 0;
    int32_t bgmFadeIn = 0;
    int32_t dataFolderRelative = 0;
    SharedInt audioStopRequest{0};
    // 1 while track n waits for the streaming thread to rewind it (RewindMusic asks; the
    // thread moves the stream itself, so no file or decoder is touched by two threads).
    SharedInt musicRewindRequest[kMusicTracks];
    uint32_t LoopStart[kMusicTracks] = {};
    uint32_t LoopLength[kMusicTracks] = {};
    char16_t programFolder[kPathUnits] = {};
    // Where Game.ini is written and the save slots are read: the program folder, or the
    // player's own folder when the program folder cannot be written. Empty when neither
    // can be had, so nothing is read from or written to some other place.
    char16_t saveFolder[kPathUnits] = {};
    char16_t dataFolderText[kPathUnits] = {};
    char16_t dataPath[kPathUnits] = {};
};
