#include "tests/unit/temp_folder.h"

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

// A new folder under the system's temporary folder (Linux and Windows alike), named by the
// clock and a counter, so tests running side by side never share one.
TempFolder::TempFolder() {
    namespace fs = std::filesystem;
    static std::atomic<uint32_t> serial{0};
    std::error_code error;
    fs::path base = fs::temp_directory_path(error);
    if (error)
        base = fs::current_path(error);
    for (int attempt = 0; attempt < 100; ++attempt) {
        auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
        fs::path folder =
            base / ("tessaroid-test-" + std::to_string(ticks) + "-" + std::to_string(serial++));
        if (fs::create_directory(folder, error)) {
            path = folder.generic_string() + "/";
            return;
        }
    }
    path = base.generic_string() + "/";
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

std::vector<uint8_t> NameListBytes(const std::vector<std::string>& names) {
    std::vector<uint8_t> bytes = {0xFF, 0xFE};
    for (const std::string& name : names) {
        for (char c : name) {
            bytes.push_back(static_cast<uint8_t>(c));
            bytes.push_back(0);
        }
        for (uint8_t b : {13, 0, 10, 0}) bytes.push_back(b);
    }
    return bytes;
}
