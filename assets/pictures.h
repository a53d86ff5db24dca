// The picture pass: loads the eight sheets of the picture list into the renderer's slots,
// at start-up and again after every device rebuild. CReSur runs the pass, CLoadTex decodes
// one PNG sheet; both are short-lived workers holding pointers into the Game object.
#pragma once

#include <cstdint>

class CDx_Gr;
class System;
class MapSceneEntity;
struct PictureSection;

// Slots the pass fills from list entries 0..7; the other list entries are never opened.
inline constexpr int32_t kLoadedPictures = 8;

// A sheet decoded, or why not: the file does not open (notFound), or the message naming the
// refusal. Any thread; the caller owns the section.
struct SheetDecode {
    PictureSection* section;
    bool notFound;
    const char16_t* refusal;
};
[[nodiscard]] SheetDecode DecodeSheet(const char16_t* path);

class CLoadTex {
public:
    explicit CLoadTex(CDx_Gr* graphics);
    virtual ~CLoadTex();

    CDx_Gr* graphics;

    // Decodes the PNG sheet at path into picture slot slot. False, after its message, when
    // the file is missing, unreadable, corrupt or of a kind the game cannot show.
    [[nodiscard]] bool LoadPicture(int32_t slot, const char16_t* path);
};

class CReSur {
public:
    CReSur(CDx_Gr* graphics, System* system, MapSceneEntity* scene);
    virtual ~CReSur();

    CDx_Gr* graphics;
    System* system;
    MapSceneEntity* scene;

    // With reloadPending set, loads slots 0..7 and clears it; otherwise loads nothing.
    // False at the first picture that fails (reloadPending then stays set).
    [[nodiscard]] bool LoadPictures();
};

// The pass on the Game object's parts.
[[nodiscard]] bool LoadPictures();
