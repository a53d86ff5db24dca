// MapSceneEntity: the scenes' shared state. One plain record owned by Game; scenes hand over
// to each other only by writing fields here that the next scene reads.
#pragma once

#include <cstdint>

#include "game/save_slot.h"
#include "platform/clock.h"

inline constexpr int kSceneTitle = 1;
inline constexpr int kSceneGame = 4;
inline constexpr int kNameUnits = 36;
inline constexpr int kSoundNames = 960;
inline constexpr int kPictureNames = 64;
inline constexpr int kRankingEntries = 11;  // ten shown and stored, one for the newcomer

// The pause fields of the game scene and the title and menu words. A game start zeroes the
// whole block in one go, so it must stay one contiguous 180-byte block.
#pragma pack(push, 4)
struct PauseAndTitleBlock {
    int32_t pauseState;
    int32_t pauseCounter;
    int32_t pauseFlag;
    int32_t pauseMarkers[2];
    int32_t pauseBlockers[2];  // both must be 0 for the pause to close
    int64_t pauseValues[2];
    int32_t titlePhase;
    int32_t subScreen;
    int32_t titleOpenCount;
    int32_t panelOpenCount;
    int32_t menuCursor;
    int32_t settingsCursor;
    int32_t menuRepeat;
    int32_t settingsRepeat;
    int32_t valueRepeat;
    int32_t menuRepeatFast;
    int32_t settingsRepeatFast;
    int32_t valueRepeatFast;
    int32_t spare[22];
};
#pragma pack(pop)
static_assert(sizeof(PauseAndTitleBlock) == 180, "the block is zeroed as one 180-byte unit");

class MapSceneEntity {
public:
    MapSceneEntity();
    virtual ~MapSceneEntity();

    SaveSlot slots[kSaveSlots] = {};
    // Status line: the first, third and fourth numbers; a game start writes 1296 to the
    // first and 912 to its neighbour.
    int32_t statusValues[3] = {};
    PauseAndTitleBlock block = {};
    int32_t menuCursorShown = 0;
    int32_t panelColor = 0;
    int32_t frameShimmer = 0;
    uint8_t* heapBlock = nullptr;  // released by several Parts; nothing allocates it
    uint8_t fadeAlpha = 0;
    int32_t fadeIn = 0;  // fadeIn and fadeOut stay adjacent: they are cleared together
    int32_t fadeOut = 0;
    double cosTable[256] = {};  // cosine first, sine right after
    double sinTable[256] = {};
    char16_t soundNames[kSoundNames][kNameUnits] = {};
    char16_t pictureNames[kPictureNames][kNameUnits] = {};
    char16_t currentPictureNames[kPictureNames][kNameUnits] = {};
    int32_t sceneNumber = kSceneTitle;
    int32_t backgroundNumber = 0;  // cleared as one 64-bit value with its neighbour
    int32_t backgroundNeighbour = 0;
    int32_t backgroundChangeRequest = 0;
    int32_t reloadPending = 1;
    int32_t rankingScores[kRankingEntries] = {};
    int64_t endTime = 0;
    CalendarTime rankingDates[kRankingEntries] = {};
};

// Releases the heap block and nulls the pointer (it is never allocated, so this is cheap).
inline void ReleaseHeapBlock(MapSceneEntity& scene) {
    delete[] scene.heapBlock;
    scene.heapBlock = nullptr;
}

// Clears fadeIn and fadeOut together, as the game does with one 64-bit store.
inline void ClearFadeFlags(MapSceneEntity& scene) {
    scene.fadeIn = 0;
    scene.fadeOut = 0;
}
