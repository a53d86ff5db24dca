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
};

// Game.ini as bytes, for tests and tools that work on the record itself.
void EncodeSettings(const System& system, const MapSceneEntity& scene,
                    uint8_t (&out)[kSettingsFileBytes]);
void DecodeSettings(const uint8_t (&in)[kSettingsFileBytes], System& system, MapSceneEntity& scene);

// Applies the defaults derivation (the same as after a load), for when no file was read.
void DeriveWorkingSettings(System& system);
