// Writing a whole file so that a failure never costs the old one: the bytes go to a
// temporary file beside it, which replaces the old file only once all of them are written.
#include "platform/files.h"
#include "platform/path16.h"

bool FileWriteWhole(const char16_t* path, const void* data, int64_t size) {
    char16_t temporary[kPathUnits];
    if (path[0] == 0)
        return false;  // ".tmp" alone would land in the current folder
    if (!TextCopy(temporary, kPathUnits, path) || !TextAppend(temporary, kPathUnits, u".tmp")) {
        return false;  // never write beside a cut path
    }
    int32_t file = FileOpenPath(temporary, FileOpen::CreateAlways);
    if (file < 0)
        return false;
    bool whole = FileWrite(file, data, size) == size;
    bool closed = FileClose(file);
    if (whole && closed && FileReplace(temporary, path))
        return true;
    FileRemove(temporary);
    return false;
}
