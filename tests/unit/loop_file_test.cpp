// Loop files: the line layout with its skipped lines, the encodings, and unsigned scanning.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "assets/load_sound.h"
#include "game/system.h"
#include "tests/unit/recording_messages.h"
#include "tests/unit/temp_folder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) {
    return {s.begin(), s.end()};
}

std::vector<uint8_t> Utf16(const std::u16string& s) {
    std::vector<uint8_t> b = {0xFF, 0xFE};
    for (char16_t c : s) {
        b.push_back(static_cast<uint8_t>(c));
        b.push_back(static_cast<uint8_t>(c >> 8));
    }
    return b;
}

struct Loop {
    uint32_t start;
    uint32_t length;
};

Loop Read(const std::vector<uint8_t>& file) {
    TempFolder dir;
    dir.Write("t.ogg.sli", file);
    auto system = std::make_unique<System>();
    CLoadSnd loader(nullptr, system.get());
    EXPECT_TRUE(loader.ReadLoopFile(dir.Path16("t.ogg.sli").c_str(), 7));
    return {system->LoopStart[7], system->LoopLength[7]};
}

}  // namespace

TEST(LoopFile, KeysTwoLinesApartWithCommentsBetween) {
    Loop l = Read(Bytes(";track 7\r\nLoopStart=44100\r\n\r\n;length\r\nLoopLength=88200\r\n\r\n"));
    EXPECT_EQ(l.start, 44100u);
    EXPECT_EQ(l.length, 88200u);
}

TEST(LoopFile, LengthDirectlyAfterStartIsSkippedUnread) {
    Loop l = Read(Bytes("LoopStart=5\nLoopLength=9\n"));
    EXPECT_EQ(l.start, 5u);
    EXPECT_EQ(l.length, 0u);
}

TEST(LoopFile, OnlyCommentsOrEmptyGivesZeros) {
    Loop a = Read(Bytes(";a\n;b\n;c\n"));
    EXPECT_EQ(a.start, 0u);
    EXPECT_EQ(a.length, 0u);
    Loop b = Read({});
    EXPECT_EQ(b.start, 0u);
}

TEST(LoopFile, Utf16AndUtf8FilesReadLikePlainOnes) {
    Loop a = Read(Utf16(u"LoopStart=12\r\n\r\nLoopLength=34\r\n"));
    EXPECT_EQ(a.start, 12u);
    EXPECT_EQ(a.length, 34u);
    Loop b = Read(Bytes("\xEF\xBB\xBF;ü\nLoopStart=56\n-\nLoopLength=78\n"));
    EXPECT_EQ(b.start, 56u);
    EXPECT_EQ(b.length, 78u);
}

TEST(LoopFile, LongLinesAreReadIn79UnitPieces) {
    // An 85-character comment line becomes a comment piece and a 6-character piece that is
    // not a comment: that piece is where LoopStart is looked for.
    std::string longComment = ";" + std::string(78, 'x') + "LoopS\n";
    Loop l = Read(Bytes(longComment + "LoopStart=1\n\nLoopLength=2\n"));
    EXPECT_EQ(l.start, 0u);
    EXPECT_EQ(l.length, 0u);  // the LoopStart line was the skipped one
}

TEST(LoopFile, UnmatchedKeyLeavesZero) {
    Loop l = Read(Bytes("Start=3\n\nLoopLength=4\n"));
    EXPECT_EQ(l.start, 0u);
    EXPECT_EQ(l.length, 4u);
}

TEST(LoopFile, ScanReadsAsAnUnsignedConversion) {
    uint32_t v = 0;
    EXPECT_TRUE(ScanLoopValue(u"LoopStart= 42abc", u"LoopStart=", &v));
    EXPECT_EQ(v, 42u);
    EXPECT_TRUE(ScanLoopValue(u"LoopStart=-1", u"LoopStart=", &v));
    EXPECT_EQ(v, 0xFFFFFFFFu);
    EXPECT_TRUE(ScanLoopValue(u"LoopStart=99999999999999999999", u"LoopStart=", &v));
    EXPECT_EQ(v, 0xFFFFFFFFu);
    EXPECT_FALSE(ScanLoopValue(u"LoopStart=x", u"LoopStart=", &v));
    EXPECT_FALSE(ScanLoopValue(u"loopstart=1", u"LoopStart=", &v));
}

TEST(LoopFile, MissingFileShowsTheNotFoundMessage) {
    auto system = std::make_unique<System>();
    CLoadSnd loader(nullptr, system.get());
    ShownMessages().clear();
    EXPECT_FALSE(loader.ReadLoopFile(u"/nonexistent/m.ogg.sli", 1));
    ASSERT_EQ(ShownMessages().size(), 1u);
    EXPECT_EQ(ShownMessages()[0].text, u"/nonexistent/m.ogg.sli ファイルが見つかりません");
}
