// dir.txt: read as it stands (mark skipped, 80 units at most, no trimming) and written whole.
#include "persist/data_folder_file.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "game/system.h"
#include "platform/files.h"
#include "tests/unit/temp_folder.h"

namespace {

std::vector<uint8_t> Utf16File(const std::u16string& text, bool mark = true) {
    std::vector<uint8_t> b;
    if (mark)
        b = {0xFF, 0xFE};
    for (char16_t c : text) {
        b.push_back(static_cast<uint8_t>(c & 0xFF));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

std::unique_ptr<System> InFolder(const TempFolder& dir) {
    auto s = std::make_unique<System>();
    (void)TextCopy(s->programFolder, kPathUnits, dir.Path16("").c_str());
    return s;
}

}  // namespace

TEST(DataFolderFile, MissingFileIsReported) {
    TempFolder dir;
    auto s = InFolder(dir);
    EXPECT_FALSE(ReadDataFolderFile(*s));
    EXPECT_EQ(std::u16string(s->dataFolderName), u"data\\");
}

TEST(DataFolderFile, TextIsUsedAsItStandsLineEndsIncluded) {
    TempFolder dir;
    dir.Write("dir.txt", Utf16File(u"assets\\\r\n"));
    auto s = InFolder(dir);
    ASSERT_TRUE(ReadDataFolderFile(*s));
    EXPECT_EQ(std::u16string(s->dataFolderText), u"assets\\\r\n");
    EXPECT_EQ(std::u16string(s->dataFolderName), u"assets\\\r\n");
}

TEST(DataFolderFile, MarkIsSkippedUncheckedSoAFileWithoutOneLosesItsFirstUnit) {
    TempFolder dir;
    dir.Write("dir.txt", Utf16File(u"Xdata\\", false));
    auto s = InFolder(dir);
    ASSERT_TRUE(ReadDataFolderFile(*s));
    EXPECT_EQ(std::u16string(s->dataFolderText), u"data\\");
}

TEST(DataFolderFile, OversizedFileIsCutAfter80Units) {
    TempFolder dir;
    dir.Write("dir.txt", Utf16File(std::u16string(300, u'q')));
    auto s = InFolder(dir);
    ASSERT_TRUE(ReadDataFolderFile(*s));
    EXPECT_EQ(std::u16string(s->dataFolderText), std::u16string(80, u'q'));
    dir.Write("dir.txt", {0xFF});  // only half a mark: an empty name
    auto t = InFolder(dir);
    ASSERT_TRUE(ReadDataFolderFile(*t));
    EXPECT_EQ(t->dataFolderText[0], 0);
}

TEST(DataFolderFile, WriteGivesTheMarkAndTheNameWithoutTerminator) {
    TempFolder dir;
    auto s = InFolder(dir);
    ASSERT_TRUE(WriteDataFolderFile(*s));
    EXPECT_EQ(dir.Read("dir.txt"), Utf16File(u"data\\"));
    EXPECT_FALSE(dir.Exists("dir.txt.tmp"));
}

TEST(DataFolderFile, FailedWriteKeepsTheOldFile) {
    TempFolder dir;
    dir.Write("dir.txt", Utf16File(u"mine\\"));
    auto s = InFolder(dir);
    theFileFaults.writeBudget = 5;
    EXPECT_FALSE(WriteDataFolderFile(*s));
    theFileFaults.writeBudget = -1;
    EXPECT_EQ(dir.Read("dir.txt"), Utf16File(u"mine\\"));
}

TEST(DataFolderFile, DataPathIsUnderTheProgramFolderWhenRelative) {
    System s;
    (void)TextCopy(s.programFolder, kPathUnits, u"/opt/tessaroid/");
    (void)TextCopy(s.dataFolderText, kPathUnits, u"data\\");
    s.dataFolderRelative = 1;
    BuildDataPath(s);
    EXPECT_EQ(std::u16string(s.dataPath), u"/opt/tessaroid/data\\");
    s.dataFolderRelative = 0;
    BuildDataPath(s);
    EXPECT_EQ(std::u16string(s.dataPath), u"data\\");
}

TEST(DataFolderFile, ProgramFolderTooLongForItsFileNamesOpensAndWritesNothing) {
    System s;
    std::u16string folder = u"/" + std::u16string(kPathUnits - 5, u'p') + u"/";
    (void)TextCopy(s.programFolder, kPathUnits, folder.c_str());
    EXPECT_FALSE(ReadDataFolderFile(s));   // "dir.txt" does not fit after it
    EXPECT_FALSE(WriteDataFolderFile(s));  // and nothing is written beside a cut name
    EXPECT_EQ(std::u16string(s.dataFolderName), u"data\\");
}
