// Files on POSIX systems: UTF-16 paths converted to UTF-8 with '/' separators at the open.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/files.h"
#include "platform/path16.h"

namespace {

// Native path buffer: each UTF-16 unit becomes at most three UTF-8 bytes.
constexpr size_t kNativePathBytes = kPathUnits * 3 + 1;

}  // namespace

int32_t FileOpenPath(const char16_t* path, FileOpen how) {
    char native[kNativePathBytes];
    if (!PathToNative(native, sizeof native, path) || native[0] == 0)
        return -1;
    int fd;
    if (how == FileOpen::ReadExisting) {
        fd = open(native, O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            struct stat st {};
            if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode) ||  // a folder is not a file
                !FileStaysThere()) {
                close(fd);
                return -1;
            }
        }
    } else {
        if (theFileFaults.failCreate)
            return -1;
        fd = open(native, O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    }
    return fd;
}

int64_t FileRead(int32_t file, void* buffer, int64_t size) {
    if (file < 0 || size <= 0)
        return file < 0 ? -1 : 0;
    int64_t total = 0;
    auto* out = static_cast<char*>(buffer);
    while (total < size) {
        ssize_t n = read(file, out + total, static_cast<size_t>(size - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return total > 0 ? total : -1;
        if (n == 0)
            break;
        total += n;
    }
    return total;
}

int64_t FileWrite(int32_t file, const void* data, int64_t size) {
    if (file < 0 || size <= 0)
        return 0;
    int64_t allowed = size;
    if (theFileFaults.writeBudget >= 0 && theFileFaults.writeBudget < allowed) {
        allowed = theFileFaults.writeBudget;
    }
    int64_t total = 0;
    const auto* in = static_cast<const char*>(data);
    while (total < allowed) {
        ssize_t n = write(file, in + total, static_cast<size_t>(allowed - total));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        total += n;
    }
    if (theFileFaults.writeBudget >= 0)
        theFileFaults.writeBudget -= total;
    return total;
}

bool FileSeek(int32_t file, int64_t offset) {
    if (file < 0 || offset < 0)
        return false;
    return lseek(file, static_cast<off_t>(offset), SEEK_SET) == static_cast<off_t>(offset);
}

int64_t FileSize(int32_t file) {
    struct stat st {};
    if (file < 0 || fstat(file, &st) != 0)
        return -1;
    return static_cast<int64_t>(st.st_size);
}

bool FileClose(int32_t file) {
    if (file < 0)
        return false;
    return close(file) == 0;
}

bool FileReplace(const char16_t* source, const char16_t* target) {
    if (theFileFaults.failReplace)
        return false;
    char from[kNativePathBytes];
    char to[kNativePathBytes];
    if (!PathToNative(from, sizeof from, source) || !PathToNative(to, sizeof to, target)) {
        return false;
    }
    // The data must be on disk before the name points at it, or a crash could leave an
    // empty file where the old one stood.
    int fd = open(from, O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool synced = fsync(fd) == 0;
    close(fd);
    return synced && rename(from, to) == 0;
}

bool FileRemove(const char16_t* path) {
    char native[kNativePathBytes];
    if (!PathToNative(native, sizeof native, path))
        return false;
    return unlink(native) == 0;
}

std::FILE* FileOpenStream(const char16_t* path, const char* mode) {
    char native[kNativePathBytes];
    if (!PathToNative(native, sizeof native, path) || native[0] == 0)
        return nullptr;
    std::FILE* f = std::fopen(native, mode);
    if (f == nullptr)
        return nullptr;
    struct stat st {};
    if (fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode) ||
        (mode[0] == 'r' && !FileStaysThere())) {
        std::fclose(f);
        return nullptr;
    }
    return f;
}
