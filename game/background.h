// The game scene's background: CBGIcDX draws its picture, CDungeon selects its music.
// Both are built on the stack each frame and hold pointers into the Game object.
#pragma once

#include <cstdint>

class CDx_Gr;
class System;
class MapSceneEntity;

inline constexpr int32_t kTrackUnchanged = -1;

// The music track for a background number, or kTrackUnchanged for numbers with none.
[[nodiscard]] int32_t BackgroundMusicTrack(int32_t backgroundNumber);

class CDungeon {
public:
    CDungeon();  // takes its pointers from theGame
    virtual ~CDungeon();

    System* system;
    MapSceneEntity* scene;

    // Selects the background's track (previous = current, current = the track, rewound when
    // it changed or a restart was asked for) and clears the change request. A number with no
    // track changes nothing. Returns 1.
    int32_t SelectBackgroundMusic(int32_t backgroundNumber);
};

class CBGIcDX {
public:
    CBGIcDX();  // takes its pointers from theGame
    virtual ~CBGIcDX();

    CDx_Gr* graphics;
    System* system;
    MapSceneEntity* scene;

    // The game's background picture behind the field.
    void DrawBackground();
};
