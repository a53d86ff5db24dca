// The resource list files: fixed 36-byte UTF-16 records naming the sounds and pictures,
// relative to the data path. No parsing beyond the fixed records: a line that is not
// exactly 16 characters shifts every later name, as it always has.
#include <cstring>

#include "game/map_scene_entity.h"
#include "persist/load_file.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

constexpr int64_t kRecordBytes = 36;
constexpr int64_t kListBytes = 2 + kRecordBytes * kSoundNames;

bool ReadList(const char16_t* path, char16_t (*slots)[kNameUnits], int32_t count) {
    if (!ReadNameList(path, slots, count)) {
        ShowFileNotFound(path);
        return false;
    }
    return true;
}

}  // namespace

bool ReadNameList(const char16_t* path, char16_t (*slots)[kNameUnits], int32_t count) {
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0)
        return false;
    uint8_t bytes[kListBytes];  // 34 KB, on the reading thread's own stack
    if (count > kSoundNames)
        count = kSoundNames;
    int64_t got = FileRead(file, bytes, 2 + kRecordBytes * count);
    FileClose(file);
    DecodeNameList(bytes, got > 0 ? got : 0, slots, count);
    return true;
}

void DecodeNameList(const uint8_t* bytes, int64_t size, char16_t (*slots)[36], int32_t count) {
    for (int32_t r = 0; r < count; ++r) {
        const int64_t start = 2 + kRecordBytes * r;
        if (start >= size)
            return;
        char16_t* slot = slots[r];
        for (int64_t b = 0; b < kRecordBytes && start + b < size; ++b) {
            char16_t& unit = slot[b / 2];
            const char16_t value = bytes[start + b];
            unit = b % 2 == 0 ? static_cast<char16_t>((unit & 0xFF00) | value)
                              : static_cast<char16_t>((unit & 0x00FF) | (value << 8));
        }
        if (slot[16] == 13 && slot[17] == 10) {
            slot[16] = 0;
            slot[17] = 0;
        }
    }
}

bool CLoadFile::ReadSoundList(const char16_t* path) {
    return ReadList(path, scene->soundNames, kSoundNames);
}

bool CLoadFile::ReadPictureList(const char16_t* path) {
    return ReadList(path, scene->pictureNames, kPictureNames);
}

bool CLoadFile::ReleaseBlock() {
    ReleaseHeapBlock(*scene);
    return true;
}
