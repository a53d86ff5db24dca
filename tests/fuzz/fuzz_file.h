// Fuzz targets read the fuzzer's bytes through the game's own file readers: the bytes go
// to a private file first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

#include "platform/path16.h"

class FuzzFile {
public:
    explicit FuzzFile(const char* name) {
        // In memory where the system has it: the settings writer syncs every file it saves.
        const char* folder = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        path8 = std::string(folder) + "/tessaroid-fuzz-" + std::to_string(getpid()) + "-" + name;
        (void)TextFromUtf8(path, kPathUnits, path8.c_str());
    }
    ~FuzzFile() { std::remove(path8.c_str()); }
    void Write(const uint8_t* data, size_t size) const {
        std::FILE* f = std::fopen(path8.c_str(), "wb");
        if (f == nullptr) return;
        if (size > 0) std::fwrite(data, 1, size, f);
        std::fclose(f);
    }
    std::string path8;
    char16_t path[kPathUnits];
};
