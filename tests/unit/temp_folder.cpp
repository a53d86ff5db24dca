#include "tests/unit/temp_folder.h"

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>

TempFolder::TempFolder() {
    char pattern[] = "/tmp/tessaroid-test-XXXXXX";
    char* made = mkdtemp(pattern);
    path = std::string(made != nullptr ? made : "/tmp") + "/";
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

std::u16string TempFolder::Path16(const std::string& name) const {
    char16_t out[kPathUnits];
    if (!TextFromUtf8(out, kPathUnits, (path + name).c_str()))
        return u"";
    return out;
}

void TempFolder::Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream f(path + name, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

std::vector<uint8_t> TempFolder::Read(const std::string& name) const {
    std::ifstream f(path + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

bool TempFolder::Exists(const std::string& name) const {
    return std::filesystem::exists(path + name);
}
