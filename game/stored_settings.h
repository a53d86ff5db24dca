// The settings header of Game.ini as it was read: the first 24 bytes of the file, kept so
// that the bytes the program never changes go back to the file exactly as they came.
#pragma once

#include <cstdint>

struct StoredSettings {
    uint8_t head[5];     // file offsets 0..4
    float texelInset;    // offset 5
    float storedFloat2;  // offset 9
    uint8_t tail[11];    // offsets 13..23
};

// File offsets of the stored bytes that mean something to the program.
inline constexpr int kStoredScreenMode = 2;
inline constexpr int kStoredVsync = 3;
inline constexpr int kStoredDataFolderRelative = 16;
inline constexpr int kStoredPadInput = 17;
inline constexpr int kStoredTimerMethod = 18;
inline constexpr int kStoredFramePattern = 19;
inline constexpr int kStoredFrameSkip = 20;
inline constexpr int kStoredAudioCode = 21;
inline constexpr int kStoredLoadedMark = 22;

// The audio code at kStoredAudioCode, in the file's own numbering: against audioMode it
// swaps WAVE and Ogg Vorbis.
enum StoredAudioCode : uint8_t {
    kStoredAudioOff = 0,
    kStoredAudioOgg = 1,
    kStoredAudioWave = 2,
};

// The byte at a file offset 0..4 or 13..23. Any other offset (5..12 lie inside the two
// floats) names no stored byte and reads as 0.
[[nodiscard]] inline uint8_t StoredByte(const StoredSettings& s, int offset) {
    if (offset >= 0 && offset < 5)
        return s.head[offset];
    if (offset >= 13 && offset < 24)
        return s.tail[offset - 13];
    return 0;
}

// The values a missing Game.ini stands for.
inline constexpr StoredSettings kDefaultStoredSettings = {
    {0, 1, 0, 1, 1},
    0.000001f,
    0.0f,
    {1, 0, 0, 1, 1, 0, 1, 0, 1, 0, 1},
};
