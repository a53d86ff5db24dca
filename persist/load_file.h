// CLoadFile: reads and writes the files beside the executable (Game.ini, the save slots)
// and, for the asset loader, the resource lists. A short-lived worker built on the stack;
// it holds pointers into the Game object and owns nothing.
#pragma once

#include <cstdint>

class System;
class MapSceneEntity;

inline constexpr int kSettingsFileBytes = 512;
inline constexpr int kSlotFileBytes = 65536;

class CLoadFile {
public:
    CLoadFile();  // takes its pointers from theGame
    CLoadFile(System* system, MapSceneEntity* scene);
    virtual ~CLoadFile();

    System* system;
    MapSceneEntity* scene;

    // Loads Game.ini; a missing or short file leaves defaults or zeros. Always true.
    bool LoadSettings(const char16_t* path);
    // Writes all 512 bytes to a temporary file beside path and then puts it in path's place,
    // so a failed save leaves the previous file whole. False when anything failed.
    [[nodiscard]] bool SaveSettings(const char16_t* path);

    // Loads save slot file path into slot index (0..15); shows a message when it cannot be
    // opened and returns false.
    [[nodiscard]] bool LoadSlot(const char16_t* path, int32_t index);

    // The resource lists: 960 sound names or 64 picture names of 16 characters each into
    // the scene store's name tables. False (with the not-found message) when the file
    // cannot be opened.
    [[nodiscard]] bool ReadSoundList(const char16_t* path);
    [[nodiscard]] bool ReadPictureList(const char16_t* path);

    // Releases the scene store's heap block. True.
    bool ReleaseBlock();
};

// Fills count name slots from a list file's bytes (its mark included, which is skipped
// unread): 36-byte records, a CR LF after the 16 characters cleared to zeros. Records past
// the end of the bytes leave their slot as it was.
void DecodeNameList(const uint8_t* bytes, int64_t size, char16_t (*slots)[36], int32_t count);

// Reads a list file's first count records into slots, showing nothing: false when the file
// does not open. Safe on any thread.
[[nodiscard]] bool ReadNameList(const char16_t* path, char16_t (*slots)[36], int32_t count);

// Game.ini as bytes, for tests and tools that work on the record itself.
void EncodeSettings(const System& system, const MapSceneEntity& scene,
                    uint8_t (&out)[kSettingsFileBytes]);
void DecodeSettings(const uint8_t (&in)[kSettingsFileBytes], System& system, MapSceneEntity& scene);

// Applies the defaults derivation (the same as after a load), for when no file was read.
void DeriveWorkingSettings(System& system);
