// The picture half of the data folder: grp/grp_0000.png ... grp_0007.png and the picture
// list grp/grp_0003.txt naming them. Sheets 1, 4 and 7 are loaded but never drawn, so
// they are written blank.
#include <cstdio>
#include <string>

#include "tools/assetgen/data_folder.h"
#include "tools/assetgen/sheet_png.h"
#include "tools/assetgen/sheets.h"

namespace {

constexpr int kSheets = 8;

void DrawSheet(int n, Canvas& canvas, Fonts& fonts) {
    switch (n) {
        case 0:
            DrawTitleSheet(canvas);
            break;
        case 2:
            DrawLogoSheet(canvas, fonts);
            break;
        case 3:
            DrawGameSheet(canvas, fonts);
            break;
        case 5:
            DrawFrameSheet(canvas);
            break;
        case 6:
            DrawFontSheet(canvas, fonts);
            break;
        default:
            break;
    }
}

}  // namespace

bool WritePictures(const std::string& folder) {
    Fonts fonts;
    if (!fonts.mono.Open(kMonoBoldFont) || !fonts.sans.Open(kSansBoldFont))
        return false;
    if (!MakeFolder(folder + "grp"))
        return false;
    std::string names[kSheets];
    for (int n = 0; n < kSheets; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "grp\\grp_%04d.png", n);
        names[n] = name;
        Canvas canvas;
        DrawSheet(n, canvas, fonts);
        std::string path = folder + "grp/" + (names[n].c_str() + 4);
        if (!WriteSheetPng(canvas, path)) {
            std::fprintf(stderr, "assetgen: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return WriteListFile(folder + "grp/grp_0003.txt", names, kSheets);
}
