// A fresh folder per test, removed afterwards, with helpers for files as bytes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/path16.h"

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path;  // ends in '/'

    // name inside the folder, as the game's UTF-16 path.
    std::u16string Path16(const std::string& name) const;
    void Write(const std::string& name, const std::vector<uint8_t>& bytes) const;
    [[nodiscard]] std::vector<uint8_t> Read(const std::string& name) const;
    [[nodiscard]] bool Exists(const std::string& name) const;
};

// A resource list file: the byte-order mark, then each name (16 characters) and CR LF, in
// UTF-16.
[[nodiscard]] std::vector<uint8_t> NameListBytes(const std::vector<std::string>& names);
