// The sixteen save slot files: read at start-up into the slot table, never written. Every
// field is assembled little-endian from its own file offset, so fields that share a byte in
// the file both read it.
#include "persist/save_slots.h"

#include <cstring>

#include "game/map_scene_entity.h"
#include "persist/load_file.h"
#include "platform/bytes.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/path16.h"

namespace {

constexpr int64_t kEntryBytes = 608;
constexpr int64_t kTableAAt = 29184;
constexpr int64_t kTableBAt = 30396;
constexpr int64_t kWordsCAt = 30699;
constexpr int64_t kTableDAt = 30715;
constexpr int64_t kWordsEAt = 30768;
constexpr int64_t kTableFAt = 30779;

void ReadEntry(const ByteView& in, int64_t at, SlotEntry& e) {
    e.leadByte = in.U8(at);
    for (int k = 0; k < 5; ++k) e.valuesA[k] = in.I32(at + 1 + 4 * k);
    for (int k = 0; k < 16; ++k) e.bytes16[k] = in.U8(at + 21 + k);
    for (int k = 0; k < 5; ++k) e.valuesB[k] = in.I32(at + 37 + 4 * k);
    e.midByte = in.U8(at + 57);
    for (int k = 0; k < 2; ++k) e.valuesC[k] = in.I32(at + 58 + 4 * k);
    e.valueD = in.I32(at + 66);
    for (int r = 0; r < 8; ++r) {
        for (int c = 0; c < 15; ++c) e.block[r][c] = in.I32(at + 70 + 4 * (15 * r + c));
    }
}

void ReadSlot(const ByteView& in, SaveSlot& slot) {
    for (int k = 0; k < kSlotEntries; ++k) ReadEntry(in, kEntryBytes * k, slot.entries[k]);
    for (int k = 0; k < 303; ++k) slot.tableA[k] = in.I32(kTableAAt + 4 * k);
    for (int k = 0; k < 303; ++k) slot.tableB[k] = in.U8(kTableBAt + k);
    for (int k = 0; k < 4; ++k) slot.wordsC[k] = in.I32(kWordsCAt + 4 * k);
    for (int k = 0; k < 53; ++k) slot.tableD[k] = in.U8(kTableDAt + k);
    for (int k = 0; k < 3; ++k) slot.wordsE[k] = in.I32(kWordsEAt + 4 * k);
    for (int k = 0; k < 2048; ++k) slot.tableF[k] = in.I32(kTableFAt + 4 * k);
}

}  // namespace

void DecodeSlot(const uint8_t* bytes, int64_t size, SaveSlot& slot) {
    ReadSlot(ByteView{bytes, size}, slot);
}

bool CLoadFile::LoadSlot(const char16_t* path, int32_t index) {
    if (index < 0 || index >= kSaveSlots)
        return false;
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0) {
        ShowFileNotFound(path);
        return false;
    }
    // Static: 64 KiB is too much for the stack, and start-up is single-threaded.
    static uint8_t bytes[kSlotFileBytes];
    std::memset(bytes, 0, sizeof bytes);
    (void)FileRead(file, bytes, kSlotFileBytes);  // a short file reads as zeros beyond its end
    ReadSlot(ByteView{bytes, kSlotFileBytes}, scene->slots[index]);
    FileClose(file);
    return true;
}

bool LoadSaveSlots(CLoadFile& loader, const char16_t* folder) {
    if (folder[0] == 0)
        return true;  // no save folder: no slots, rather than files from the current folder
    for (int n = 1; n <= kSaveSlots; ++n) {
        char16_t name[16] = u"save0000.dat";
        name[6] = static_cast<char16_t>(u'0' + n / 10);
        name[7] = static_cast<char16_t>(u'0' + n % 10);
        char16_t path[kPathUnits];
        if (!TextCopy(path, kPathUnits, folder) || !TextAppend(path, kPathUnits, name)) {
            continue;  // a cut path names some other file: treat the slot as absent
        }
        int32_t probe = FileOpenPath(path, FileOpen::ReadExisting);
        if (probe < 0)
            continue;
        FileClose(probe);
        if (!loader.LoadSlot(path, n - 1))
            return false;
    }
    return true;
}
