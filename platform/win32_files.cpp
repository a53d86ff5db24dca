// Files on Windows: CreateFileW on the game's UTF-16 paths as they stand. The seam's small
// integer handles index a fixed table of file handles, shared by the main thread and the
// music streaming thread under one lock.
#include <windows.h>

#include <cstdio>

#include "platform/files.h"
#include "platform/handle_table.h"
#include "platform/path16.h"

namespace {

constexpr int32_t kOpenFiles = 64;

HandleTable<HANDLE, kOpenFiles> theFiles;

// Copies a game path into a terminated wide string. False when it is empty or was cut.
bool WidePath(wchar_t* out, const char16_t* path) {
    char16_t copy[kPathUnits];
    if (!TextCopy(copy, kPathUnits, path) || copy[0] == 0)
        return false;
    for (int i = 0; i < kPathUnits; ++i) {
        out[i] = static_cast<wchar_t>(copy[i]);
        if (copy[i] == 0)
            break;
    }
    return true;
}

}  // namespace

int32_t FileOpenPath(const char16_t* path, FileOpen how) {
    wchar_t wide[kPathUnits];
    if (!WidePath(wide, path))
        return -1;
    if (how == FileOpen::CreateAlways && theFileFaults.failCreate)
        return -1;
    HANDLE h = how == FileOpen::ReadExisting
                   ? CreateFileW(wide, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr)
                   : CreateFileW(wide, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                 FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return -1;
    if (how == FileOpen::ReadExisting && !FileStaysThere()) {
        CloseHandle(h);
        return -1;
    }
    int32_t file = theFiles.Claim(h);
    if (file < 0)
        CloseHandle(h);
    return file;
}

int64_t FileRead(int32_t file, void* buffer, int64_t size) {
    HANDLE h = theFiles.Lookup(file);
    if (h == nullptr)
        return -1;
    int64_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < size) {
        int64_t left = size - total;
        DWORD chunk = left > (1 << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD got = 0;
        if (!ReadFile(h, out + total, chunk, &got, nullptr))
            return total > 0 ? total : -1;
        if (got == 0)
            break;
        total += got;
    }
    return total;
}

int64_t FileWrite(int32_t file, const void* data, int64_t size) {
    HANDLE h = theFiles.Lookup(file);
    if (h == nullptr || size <= 0)
        return 0;
    int64_t allowed = size;
    if (theFileFaults.writeBudget >= 0 && theFileFaults.writeBudget < allowed)
        allowed = theFileFaults.writeBudget;
    int64_t total = 0;
    const auto* in = static_cast<const char*>(data);
    while (total < allowed) {
        int64_t left = allowed - total;
        DWORD chunk = left > (1 << 30) ? (1u << 30) : static_cast<DWORD>(left);
        DWORD put = 0;
        if (!WriteFile(h, in + total, chunk, &put, nullptr) || put == 0)
            break;
        total += put;
    }
    if (theFileFaults.writeBudget >= 0)
        theFileFaults.writeBudget -= total;
    return total;
}

bool FileSeek(int32_t file, int64_t offset) {
    HANDLE h = theFiles.Lookup(file);
    if (h == nullptr || offset < 0)
        return false;
    LARGE_INTEGER to;
    to.QuadPart = offset;
    return SetFilePointerEx(h, to, nullptr, FILE_BEGIN) != 0;
}

int64_t FileSize(int32_t file) {
    HANDLE h = theFiles.Lookup(file);
    LARGE_INTEGER size;
    if (h == nullptr || !GetFileSizeEx(h, &size))
        return -1;
    return size.QuadPart;
}

bool FileClose(int32_t file) {
    HANDLE h = theFiles.Release(file);
    return h != nullptr && CloseHandle(h) != 0;
}

bool FileReplace(const char16_t* source, const char16_t* target) {
    if (theFileFaults.failReplace)
        return false;
    wchar_t from[kPathUnits];
    wchar_t to[kPathUnits];
    if (!WidePath(from, source) || !WidePath(to, target))
        return false;
    // The data must be on disk before the name points at it, or a crash could leave an
    // empty file where the old one stood.
    HANDLE h =
        CreateFileW(from, GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return false;
    bool flushed = FlushFileBuffers(h) != 0;
    CloseHandle(h);
    return flushed &&
           MoveFileExW(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

bool FileRemove(const char16_t* path) {
    wchar_t wide[kPathUnits];
    return WidePath(wide, path) && DeleteFileW(wide) != 0;
}

std::FILE* FileOpenStream(const char16_t* path, const char* mode) {
    wchar_t wide[kPathUnits];
    if (!WidePath(wide, path))
        return nullptr;
    DWORD attributes = GetFileAttributesW(wide);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return nullptr;  // a folder is not a file
    wchar_t wideMode[16] = {};
    for (int i = 0; i < 15 && mode[i] != 0; ++i) wideMode[i] = static_cast<wchar_t>(mode[i]);
    std::FILE* f = _wfopen(wide, wideMode);
    if (f != nullptr && mode[0] == 'r' && !FileStaysThere()) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}
