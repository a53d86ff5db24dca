// List files and folders.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/assetgen/data_folder.h"

bool MakeFolder(const std::string& path) {
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST)
        return true;
    std::fprintf(stderr, "assetgen: cannot create the folder %s\n", path.c_str());
    return false;
}

bool WriteListFile(const std::string& path, const std::string* names, int count) {
    std::vector<unsigned char> bytes = {0xFF, 0xFE};
    auto unit = [&bytes](unsigned c) {
        bytes.push_back(static_cast<unsigned char>(c & 0xFF));
        bytes.push_back(static_cast<unsigned char>(c >> 8));
    };
    for (int i = 0; i < count; ++i) {
        // The loader reads fixed 18-unit records: a name of any other length would shift
        // every later one.
        if (names[i].size() != 16) {
            std::fprintf(stderr, "assetgen: the list name %s is not 16 characters\n",
                         names[i].c_str());
            return false;
        }
        for (unsigned char c : names[i]) unit(c);
        unit('\r');
        unit('\n');
    }
    return WriteBytes(path, bytes);
}

bool WriteBytes(const std::string& path, const std::vector<unsigned char>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    bool ok = f != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    if (f != nullptr && std::fclose(f) != 0)
        ok = false;
    if (!ok)
        std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
    return ok;
}
