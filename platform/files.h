// Files by UTF-16 path, the one way the game's own code opens, reads and writes files.
// Paths keep the game's '\' separators; the platform maps them when it opens. Handles are
// small integers, -1 meaning no file. Short or failed reads simply return fewer bytes.
#pragma once

#include <cstdint>
#include <cstdio>

enum class FileOpen {
    ReadExisting,  // open an existing file for reading; fails when it is not there
    CreateAlways,  // create or truncate a file for writing
};

[[nodiscard]] int32_t FileOpenPath(const char16_t* path, FileOpen how);

// Reads up to size bytes; returns the bytes read (0 at the end, -1 on an error).
[[nodiscard]] int64_t FileRead(int32_t file, void* buffer, int64_t size);

// Writes size bytes; returns the bytes written, which is fewer on a full disk or an error.
[[nodiscard]] int64_t FileWrite(int32_t file, const void* data, int64_t size);

// Moves the read position to offset bytes from the start. Returns false on failure.
[[nodiscard]] bool FileSeek(int32_t file, int64_t offset);

// Size in bytes, or -1.
[[nodiscard]] int64_t FileSize(int32_t file);

// Closes the file. Returns false when the data could not be committed (for written files).
bool FileClose(int32_t file);

// Replaces target with source in one step (same folder). Returns false on failure.
[[nodiscard]] bool FileReplace(const char16_t* source, const char16_t* target);

// Removes a file; returns false when it was not there or could not be removed.
bool FileRemove(const char16_t* path);

// Writes the whole file through path + ".tmp", which replaces path only when every byte
// was written; on any failure the old file stays as it was. False on failure.
[[nodiscard]] bool FileWriteWhole(const char16_t* path, const void* data, int64_t size);

// Opens a C stream for the libraries that read through one (libpng, vorbisfile).
[[nodiscard]] std::FILE* FileOpenStream(const char16_t* path, const char* mode);

// Test seam: makes writes fail after a budget of bytes, makes opens for writing or replacing
// fail, or makes files vanish after a number of opens for reading, so the callers' failure
// paths can be exercised. Off by default.
struct FileFaults {
    int64_t writeBudget = -1;  // bytes that may still be written; -1 means no limit
    bool failCreate = false;   // CreateAlways opens fail
    bool failReplace = false;  // FileReplace fails
    // Opens for reading (ReadExisting and read streams) of files that are there which may
    // still succeed; after them every such open fails as if the file had gone. -1: no limit.
    int32_t readOpensLeft = -1;
};
extern FileFaults theFileFaults;

// True while any fault is switched on: the prefetch threads stay out then, since the faults
// count the loaders' own opens and writes.
[[nodiscard]] bool FileFaultsInjected();

// The vanishing-file seam for the backends: false for a file that opened for reading once the
// allowed opens are used up (the caller closes it and fails the open).
[[nodiscard]] bool FileStaysThere();
