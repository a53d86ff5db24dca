// Bounded UTF-16 paths: nothing overflows, cut paths are reported, separators map at the open.
#include "platform/path16.h"

#include <gtest/gtest.h>

#include <string>

TEST(Path16, CopyAndAppendCutAtCapacityAndSaySo) {
    char16_t buffer[8];
    EXPECT_TRUE(TextCopy(buffer, 8, u"abc"));
    EXPECT_TRUE(TextAppend(buffer, 8, u"defg"));  // exactly 7 units and the zero
    EXPECT_EQ(std::u16string(buffer), u"abcdefg");
    EXPECT_FALSE(TextAppend(buffer, 8, u"h"));
    EXPECT_EQ(std::u16string(buffer), u"abcdefg");
    EXPECT_FALSE(TextCopy(buffer, 8, u"0123456789"));
    EXPECT_EQ(std::u16string(buffer), u"0123456");
}

TEST(Path16, LongPathNeverOverflowsTheFixedBuffer) {
    struct Guarded {
        char16_t path[kPathUnits];
        char16_t guard[4];
    } g;
    for (char16_t& c : g.guard) c = u'#';
    std::u16string longName(2000, u'x');
    EXPECT_FALSE(TextCopy(g.path, kPathUnits, longName.c_str()));
    EXPECT_EQ(TextLength(g.path, kPathUnits), kPathUnits - 1);
    EXPECT_FALSE(TextAppend(g.path, kPathUnits, u"more"));
    for (char16_t c : g.guard) EXPECT_EQ(c, u'#');
}

TEST(Path16, AppendRepairsAnUnterminatedBuffer) {
    char16_t buffer[4] = {u'a', u'b', u'c', u'd'};
    EXPECT_FALSE(TextAppend(buffer, 4, u"e"));
    EXPECT_EQ(buffer[3], 0);
}

TEST(Path16, NativePathMapsBackslashesAndEncodesUtf8) {
    char native[64];
    ASSERT_TRUE(PathToNative(native, sizeof native, u"/game/data\\grp\\ゲーム.png"));
    EXPECT_STREQ(native, "/game/data/grp/\xE3\x82\xB2\xE3\x83\xBC\xE3\x83\xA0.png");
    char tiny[6];
    EXPECT_FALSE(PathToNative(tiny, sizeof tiny, u"/abcdefgh"));
    EXPECT_STREQ(tiny, "");
}

TEST(Path16, Utf8RoundTripKeepsSurrogatePairs) {
    char16_t text[16];
    ASSERT_TRUE(TextFromUtf8(text, 16,
                             "a\xF0\x9F\x8E\xAE"
                             "b"));
    EXPECT_EQ(std::u16string(text), u"a\U0001F3AEb");
    char back[16];
    TextToUtf8(back, sizeof back, text);
    EXPECT_STREQ(back,
                 "a\xF0\x9F\x8E\xAE"
                 "b");
    EXPECT_FALSE(TextFromUtf8(text, 3, "a\xF0\x9F\x8E\xAE"));  // the pair does not fit
    EXPECT_EQ(std::u16string(text), u"a");
}

TEST(Path16, CanonicalizeRemovesDotSegmentsButNotTheRoot) {
    auto canon = [](std::u16string in) {
        char16_t buffer[kPathUnits];
        (void)TextCopy(buffer, kPathUnits, in.c_str());
        PathCanonicalize(buffer, kPathUnits);
        return std::u16string(buffer);
    };
    EXPECT_EQ(canon(u"/a/./b/../c/"), u"/a/c/");
    EXPECT_EQ(canon(u"/../x"), u"/x");
    EXPECT_EQ(canon(u"C:\\game\\bin\\..\\"), u"C:\\game\\");
    EXPECT_EQ(canon(u"/opt/tessaroid/"), u"/opt/tessaroid/");
}

TEST(Path16, KeepFolderCutsAfterTheLastSeparator) {
    char16_t buffer[kPathUnits];
    (void)TextCopy(buffer, kPathUnits, u"/opt/game/tessaroid");
    PathKeepFolder(buffer, kPathUnits);
    EXPECT_EQ(std::u16string(buffer), u"/opt/game/");
}
