// tessaroid-assetgen: writes the game's data folder (pictures, sounds, music, the list
// files and the loop files), all made here from nothing but the DejaVu fonts. The output
// depends on nothing but this program: two runs write identical files.
#include <cstdio>
#include <string>

#include "tools/assetgen/data_folder.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: tessaroid-assetgen DATA_FOLDER\n");
        return 2;
    }
    std::string folder = argv[1];
    if (!folder.empty() && folder.back() != '/')
        folder += '/';
    if (!MakeFolder(folder))
        return 1;
    if (!WritePictures(folder))
        return 1;
    if (!WriteSounds(folder))
        return 1;
    return 0;
}
