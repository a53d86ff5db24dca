#include "assets/picture_prefetch.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "assets/picture_section.h"
#include "assets/pictures.h"
#include "game/system.h"
#include "platform/files.h"
#include "render/picture_bits.h"
#include "tests/unit/png_test_file.h"
#include "tests/unit/temp_folder.h"

namespace {

// A picture list naming grp\grp_0000.png .. grp\grp_0007.png.
std::vector<uint8_t> PictureList() {
    std::vector<std::string> names;
    for (int r = 0; r < 8; ++r) names.push_back("grp\\grp_000" + std::to_string(r) + ".png");
    return NameListBytes(names);
}

struct SheetFolder {
    TempFolder dir;
    std::unique_ptr<System> system = std::make_unique<System>();

    SheetFolder() {
        std::filesystem::create_directory(dir.path + "grp");
        dir.Write("grp/grp_0003.txt", PictureList());
        for (int n : {0, 1, 4, 5, 6, 7})
            dir.Write("grp/grp_000" + std::to_string(n) + ".png",
                      PlainSheet(static_cast<uint8_t>(30 * n), 0, 0));
        const std::vector<uint8_t> sheet = PlainSheet(1, 2, 3);
        dir.Write("grp/grp_0003.png", std::vector<uint8_t>(sheet.begin(), sheet.begin() + 60));
        EXPECT_TRUE(TextFromUtf8(system->dataPath, kPathUnits, dir.path.c_str()));
    }
    std::u16string Sheet(int n) const {
        const std::string name = "grp\\grp_000" + std::to_string(n) + ".png";
        return std::u16string(system->dataPath) + std::u16string(name.begin(), name.end());
    }
};

}  // namespace

// A sheet decoded ahead is what the pass would decode, given once and only for the path it
// came from; a missing or broken sheet is left to the pass, which tells of it.
TEST(PicturePrefetch, GivesEachSheetOnlyForItsOwnPathAndLeavesFailuresToThePass) {
    SheetFolder f;
    StartPicturePrefetch(*f.system);
    FinishPicturePrefetch();
    EXPECT_EQ(TakePreparedPicture(f.Sheet(1).c_str(), 0), nullptr);  // slot 0's sheet is another
    PictureSection* prepared = TakePreparedPicture(f.Sheet(1).c_str(), 1);
    ASSERT_NE(prepared, nullptr);
    const SheetDecode direct = DecodeSheet(f.Sheet(1).c_str());
    ASSERT_NE(direct.section, nullptr);
    PictureBits a;
    PictureBits b;
    ASSERT_TRUE(DescribePictureSection(prepared, &a));
    ASSERT_TRUE(DescribePictureSection(direct.section, &b));
    EXPECT_EQ(std::memcmp(a.bits, b.bits, kPictureTexels), 0);
    EXPECT_EQ(std::memcmp(a.colors, b.colors, sizeof a.colors), 0);
    DeletePictureSection(prepared);
    DeletePictureSection(direct.section);
    EXPECT_EQ(TakePreparedPicture(f.Sheet(1).c_str(), 1), nullptr);  // taken once
    EXPECT_EQ(TakePreparedPicture(f.Sheet(2).c_str(), 2), nullptr);  // no such file
    EXPECT_EQ(TakePreparedPicture(f.Sheet(3).c_str(), 3), nullptr);  // cut short
    DiscardPreparedPictures();
    EXPECT_EQ(TakePreparedPicture(f.Sheet(4).c_str(), 4), nullptr);  // discarded
}

// While file faults count the loader's opens nothing is decoded ahead; a sheet the thread has
// not reached is the pass's to decode.
TEST(PicturePrefetch, StaysOutOfFaultInjectionAndGivesUpUnreachedSheets) {
    SheetFolder f;
    theFileFaults.readOpensLeft = 5;
    StartPicturePrefetch(*f.system);
    EXPECT_EQ(TakePreparedPicture(f.Sheet(0).c_str(), 0), nullptr);
    EXPECT_EQ(theFileFaults.readOpensLeft, 5);
    theFileFaults = FileFaults{};
    DiscardPreparedPictures();

    StartPicturePrefetch(*f.system);
    for (int slot = 7; slot >= 0; --slot) {  // the thread works upwards: they meet midway
        PictureSection* s = TakePreparedPicture(f.Sheet(slot).c_str(), slot);
        if (s == nullptr)
            continue;
        PictureBits picture;
        ASSERT_TRUE(DescribePictureSection(s, &picture));
        EXPECT_EQ(picture.colors[1][2], 30 * slot);  // its own sheet's red
        DeletePictureSection(s);
    }
    DiscardPreparedPictures();
}
