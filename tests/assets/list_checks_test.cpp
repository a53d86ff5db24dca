// The three list files: 16-character names in 18-unit records, every one of them a file.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "tests/assets/data_folder_files.h"

namespace {

bool Opens(const std::string& path) {
    return std::ifstream(path, std::ios::binary).good();
}

void CheckList(const std::string& list, int wanted, const std::u16string& folder) {
    std::ifstream in(DataFolder() + list, std::ios::binary);
    ASSERT_TRUE(in.good()) << list;
    EXPECT_EQ(in.get(), 0xFF);
    EXPECT_EQ(in.get(), 0xFE);
    std::vector<std::u16string> names = ReadListRecords(DataFolder() + list, 1000);
    ASSERT_EQ(static_cast<int>(names.size()), wanted) << list;
    for (const std::u16string& name : names) {
        std::string shown(name.begin(), name.end());
        ASSERT_EQ(name.size(), 16u) << list << ": " << shown;
        EXPECT_EQ(name.substr(0, 4), folder + u"\\") << shown;
        EXPECT_TRUE(Opens(OnDisk(name))) << shown;
    }
}

TEST(Lists, NameFilesThatOpen) {
    CheckList("grp/grp_0003.txt", 8, u"grp");
    CheckList("wav/wav_0000.txt", 96, u"wav");
    CheckList("ogg/ogg_0000.txt", 96, u"ogg");
}

TEST(Lists, BothSoundSetsHoldTheSameSounds) {
    std::vector<std::u16string> wav = ReadListRecords(DataFolder() + "wav/wav_0000.txt", 96);
    std::vector<std::u16string> ogg = ReadListRecords(DataFolder() + "ogg/ogg_0000.txt", 96);
    ASSERT_EQ(wav.size(), ogg.size());
    for (size_t i = 0; i < wav.size(); ++i)
        EXPECT_EQ(wav[i].substr(4, 8), ogg[i].substr(4, 8)) << i;
    // Tracks 5, 6 and 7 have music of their own; the others share one quiet loop.
    for (int n : {5, 6, 7}) {
        for (int m = 0; m < 64; ++m) {
            if (m != n) {
                EXPECT_NE(wav[n], wav[m]) << n << " " << m;
            }
        }
    }
    for (int m = 0; m < 64; ++m) {
        if (m < 5 || m > 7) {
            EXPECT_EQ(wav[m], wav[0]) << m;
        }
    }
}

}  // namespace
