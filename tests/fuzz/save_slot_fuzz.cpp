// Save slot files of any length and content.
#include <memory>

#include "game/save_slot.h"
#include "persist/save_slots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto slot = std::make_unique<SaveSlot>();
    DecodeSlot(data, static_cast<int64_t>(size), *slot);
    return 0;
}
