// The in-memory record of one save slot file. Loaded at start-up and never read again;
// the names describe the shape of the fields only.
#pragma once

#include <cstdint>

inline constexpr int kSaveSlots = 16;
inline constexpr int kSlotEntries = 48;

struct SlotEntry {
    uint8_t leadByte;
    int32_t valuesA[5];
    uint8_t bytes16[16];
    int32_t valuesB[5];
    uint8_t midByte;
    int32_t valuesC[2];
    int32_t block[8][15];
    int32_t untouched;  // loading never writes it
    int32_t valueD;
};

struct SaveSlot {
    SlotEntry entries[kSlotEntries];
    int32_t tableA[303];
    uint8_t tableB[303];
    int32_t wordsC[4];
    uint8_t tableD[53];
    int32_t wordsE[3];
    int32_t tableF[2048];
};
