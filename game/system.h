// System: the settings and shell state of the running program, one instance owned by Game.
// Plain fields only, written and read directly; each group below says who writes it and on
// which thread. Only the SharedInt fields are shared with the music streaming thread.
#pragma once

#include <atomic>
#include <cstdint>

#include "game/stored_settings.h"
#include "platform/path16.h"

inline constexpr int kMusicTracks = 64;  // track 0 means no music
inline constexpr int kSettingsLines = 11;
inline constexpr int kDataFolderNameUnits = 160;

// timerMethod: how the frame loop waits for the end of each frame. Game.ini stores the
// number, and the settings screen shows the methods in this order.
enum TimerMethod : int32_t {
    kTimerMilliseconds = 0,  // polls the millisecond clock: 16 ms plus the pattern's entry
    kTimerCounter = 1,       // polls the performance counter: exactly 1/60 s
    kTimerSleep = 2,         // sleeps 1 ms at a time: a flat 16 ms
    kTimerNoWait = 3,        // does not wait
};
inline constexpr int32_t kTimerMethods = 4;

// framePattern: which milliseconds the millisecond timer adds to 16, frame by frame.
enum FramePattern : int32_t {
    kPatternFlat = 0,         // none: 16 ms every frame
    kPatternThreeFrames = 1,  // the table's first three entries: 16, 17, 17 ms
    kPatternFullTable = 2,    // all 27 entries: 450 ms per 27 frames
};

// audioMode: which sound files the game plays. Game.ini stores a code of its own for it
// (StoredAudioCode), which swaps 1 and 2.
enum AudioMode : int32_t {
    kAudioOff = 0,
    kAudioWave = 1,
    kAudioOgg = 2,
};

// inputSource: what the input poll reads. Start-up sets it from padInputDefault, 0 or 1.
enum InputSource : int32_t {
    kInputKeyboard = 0,
    kInputKeyboardAndPad = 1,
};

// settingsEdit's entries: one per line of the settings screen, top to bottom.
enum SettingsLine : int32_t {
    kLineScreenMode = 0,
    kLineVsync = 1,
    kLineTimer = 2,
    kLineFrameSkip = 3,
    kLineMusicVolume = 4,
    kLineEffectVolume = 5,
    kLineFirstButton = 6,  // decision, cancellation, pause and shift: lines 6 to 9
    kLineColor = 10,
};

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

    // Game.ini's settings: written by the settings load at start-up, main thread. During the
    // run the settings screen changes timerMethod, vsync, frameSkip, the volumes, buttonCodes
    // and its working copy settingsEdit, and the window procedure fullScreen (Alt+Enter); the
    // exit path writes them back.
    StoredSettings stored = kDefaultStoredSettings;
    int32_t framePattern = kPatternFlat;
    int32_t timerMethod = kTimerMilliseconds;
    int32_t fullScreen = 0;
    int32_t vsync = 0;
    int32_t settingsEdit[kSettingsLines] = {};
    int32_t padInputDefault = 0;
    uint8_t buttonCodes[10] = {};
    float texelInset = 0.000001f;
    int32_t loadedMark = 0;
    int32_t frameSkip = 0;
    int32_t audioMode = kAudioOff;
    int32_t bgmVolume = 0;
    int32_t seVolume = 0;
    int32_t dataFolderRelative = 0;

    // Folders: written once by start-up (the program folder, the save folder, then dir.txt),
    // main thread.
    char16_t dataFolderName[kDataFolderNameUnits] = u"data\\";
    char16_t programFolder[kPathUnits] = {};
    // Where Game.ini is written and the save slots are read: the program folder, or the
    // player's own folder when the program folder cannot be written. Empty when neither
    // can be had, so nothing is read from or written to some other place.
    char16_t saveFolder[kPathUnits] = {};
    char16_t dataFolderText[kPathUnits] = {};
    char16_t dataPath[kPathUnits] = {};

    // The screen's extents: set by construction and never written again.
    int32_t clientWidth = 1280;
    int32_t clientHeight = 720;
    int32_t layoutWidth = 1248;
    int32_t layoutHeight = 720;

    // Input: written by the input poll every frame, main thread; inputSource once by
    // start-up, when the device is up.
    int32_t inputDirections = 0;
    int32_t inputButtons = 0;
    int32_t inputSource = kInputKeyboard;
    uint8_t keyStates[256] = {};

    // Set by a present that finds the device lost, cleared by the frame loop's rebuild;
    // main thread.
    int32_t deviceRebuildRequest = 0;

    // Sound: written by start-up, main thread, before the streaming thread starts (the engine
    // sets audioUnavailable, the sound loading the loop points); then only read.
    int32_t audioUnavailable = 0;
    uint32_t LoopStart[kMusicTracks] = {};
    uint32_t LoopLength[kMusicTracks] = {};

    // Music selection and fades: written by the scenes and MusicFade, main thread.
    int32_t bgmPreviousTrack = 0;
    int32_t bgmRestart = 1;
    int32_t bgmFadeCounter = 0;
    int32_t bgmFadeOut = 0;
    int32_t bgmFadeIn = 0;

    // Shared with the music streaming thread, which reads them: active written by the window
    // procedure, bgmTrack by start-up and the scenes, audioStopRequest by shutdown, all on the
    // main thread.
    SharedInt active{1};
    SharedInt bgmTrack{0};
    SharedInt audioStopRequest{0};
    // 1 while track n waits for the streaming thread to rewind it (RewindMusic asks on the
    // main thread; the streaming thread clears it and moves the stream itself, so no file or
    // decoder is touched by two threads).
    SharedInt musicRewindRequest[kMusicTracks];
};

// The sound mode plays sound files (WAVE or Ogg Vorbis): start-up makes the audio engine and
// shutdown releases it only then.
[[nodiscard]] inline bool PlaysSoundFiles(int32_t audioMode) {
    return audioMode == kAudioWave || audioMode == kAudioOgg;
}

// Sound is on when the sound mode plays files and an engine exists; every voice operation
// is skipped otherwise.
[[nodiscard]] inline bool SoundIsOn(const System& system) {
    return PlaysSoundFiles(system.audioMode) && system.audioUnavailable == 0;
}
