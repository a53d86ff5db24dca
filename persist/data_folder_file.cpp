// dir.txt read and write, and the data path built from it.
#include "persist/data_folder_file.h"

#include <cstring>

#include "game/system.h"
#include "platform/files.h"
#include "platform/path16.h"

namespace {

constexpr int kTextBytes = 160;  // 80 UTF-16 units after the mark

}  // namespace

bool ReadDataFolderFile(System& system) {
    char16_t path[kPathUnits];
    if (!ProgramFilePath(system, u"dir.txt", path))
        return false;
    int32_t file = FileOpenPath(path, FileOpen::ReadExisting);
    if (file < 0)
        return false;
    uint8_t mark[2];
    uint8_t bytes[kTextBytes] = {};
    int64_t got = 0;
    if (FileRead(file, mark, 2) == 2)
        got = FileRead(file, bytes, kTextBytes);  // mark unchecked
    FileClose(file);
    if (got < 0)
        got = 0;
    char16_t text[kDataFolderNameUnits] = {};
    for (int64_t k = 0; k < got; ++k) {
        text[k / 2] = static_cast<char16_t>(text[k / 2] | (bytes[k] << (8 * (k % 2))));
    }
    (void)TextCopy(system.dataFolderText, kPathUnits, text);
    (void)TextCopy(system.dataFolderName, kDataFolderNameUnits, text);
    return true;
}

bool WriteDataFolderFile(const System& system) {
    char16_t path[kPathUnits];
    if (!ProgramFilePath(system, u"dir.txt", path))
        return false;
    int units = TextLength(system.dataFolderName, kDataFolderNameUnits);
    uint8_t bytes[2 + 2 * kDataFolderNameUnits];
    bytes[0] = 0xFF;  // U+FEFF, little-endian
    bytes[1] = 0xFE;
    for (int k = 0; k < units; ++k) {
        bytes[2 + 2 * k] = static_cast<uint8_t>(system.dataFolderName[k] & 0xFF);
        bytes[3 + 2 * k] = static_cast<uint8_t>(system.dataFolderName[k] >> 8);
    }
    return FileWriteWhole(path, bytes, 2 + 2 * static_cast<int64_t>(units));
}

bool ProgramFilePath(const System& system, const char16_t* name, char16_t (&path)[kPathUnits]) {
    if (TextCopy(path, kPathUnits, system.programFolder) && TextAppend(path, kPathUnits, name)) {
        return true;
    }
    path[0] = 0;
    return false;
}

void BuildDataPath(System& system) {
    if (system.dataFolderRelative == 1) {
        (void)TextCopy(system.dataPath, kPathUnits, system.programFolder);
        (void)TextAppend(system.dataPath, kPathUnits, system.dataFolderText);
    } else {
        (void)TextCopy(system.dataPath, kPathUnits, system.dataFolderText);
    }
}
