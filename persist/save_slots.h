// Start-up's pass over the save slot files in the save folder.
#pragma once

#include <cstdint>

class CLoadFile;
struct SaveSlot;

// Loads every save0001.dat .. save0016.dat in folder that exists into its slot; an empty
// folder has none. False when a file that was found could not be loaded after all (the
// message has been shown).
[[nodiscard]] bool LoadSaveSlots(CLoadFile& loader, const char16_t* folder);

// Fills a slot record from a slot file's bytes (missing bytes read as zero).
void DecodeSlot(const uint8_t* bytes, int64_t size, SaveSlot& slot);
