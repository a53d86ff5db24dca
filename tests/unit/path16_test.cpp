// Bounded UTF-16 paths: nothing overflows, cut paths are reported, separators map at the open.
#include "platform/path16.h"

#include <gtest/gtest.h>

#include <string>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace {

// A page of writable memory followed by one that cannot be read: text placed at the end of
// the first shows any read past it as a crash.
class GuardedPage {
public:
    GuardedPage() {
#ifdef _WIN32
        SYSTEM_INFO info;
        GetSystemInfo(&info);
        size = info.dwPageSize;
        base = static_cast<char*>(
            VirtualAlloc(nullptr, 2 * size, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD old = 0;
        if (base != nullptr && !VirtualProtect(base + size, size, PAGE_NOACCESS, &old))
            base = nullptr;
#else
        size = static_cast<size_t>(sysconf(_SC_PAGESIZE));
        void* p =
            mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        base = p == MAP_FAILED ? nullptr : static_cast<char*>(p);
        if (base != nullptr && mprotect(base + size, size, PROT_NONE) != 0)
            base = nullptr;
#endif
    }
    ~GuardedPage() {
#ifdef _WIN32
        if (base != nullptr)
            VirtualFree(base, 0, MEM_RELEASE);
#else
        if (base != nullptr)
            munmap(base, 2 * size);
#endif
    }
    // units of c, unterminated, ending where the readable memory ends.
    char16_t* TextAtTheEnd(int units, char16_t c) {
        char16_t* text = reinterpret_cast<char16_t*>(base + size) - units;
        for (int k = 0; k < units; ++k) text[k] = c;
        return text;
    }

    char* base = nullptr;
    size_t size = 0;
};

std::u16string FromUtf8(const char* utf8) {
    char16_t text[16];
    EXPECT_TRUE(TextFromUtf8(text, 16, utf8)) << utf8;
    return std::u16string(text);
}

}  // namespace

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

// Whatever the bytes, the text holds only units that pair correctly: a byte that starts no
// sequence, a sequence past U+10FFFF, an encoded surrogate and a longer form than needed
// (an overlong '/' could slip a separator past a check) each read as U+FFFD.
TEST(Path16, Utf8DecodingWritesOnlyValidUtf16) {
    EXPECT_EQ(FromUtf8("a\xF8"
                       "b"),
              u"a\uFFFDb");
    EXPECT_EQ(FromUtf8("\xFF\xFE"), u"\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xFC\x84\x80\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
    EXPECT_EQ(FromUtf8("\xF4\x90\x80\x80"), u"\uFFFD");  // U+110000
    EXPECT_EQ(FromUtf8("\xF7\xBF\xBF\xBF"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xED\xA0\x80"), u"\uFFFD");  // U+D800 written as UTF-8
    EXPECT_EQ(FromUtf8("\xC0\xAF"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xE0\x80\xAF"), u"\uFFFD");
    EXPECT_EQ(FromUtf8("\xF4\x8F\xBF\xBF"), u"\U0010FFFF");  // the last code point stays
    EXPECT_EQ(FromUtf8("\xEF\xBF\xBD\xC2\xA9"), u"\uFFFD\u00A9");
}

// Unterminated text at the very end of readable memory: a conversion looks at no more units
// than its output could hold, and a path at no more than a path buffer holds.
TEST(Path16, ConversionsToUtf8ReadNoFurtherThanTheyNeed) {
    GuardedPage page;
    ASSERT_NE(page.base, nullptr);
    char out[4];
    TextToUtf8(out, sizeof out, page.TextAtTheEnd(8, u'x'));
    EXPECT_STREQ(out, "xxx");
    char native[4 * kPathUnits];
    EXPECT_FALSE(PathToNative(native, sizeof native, page.TextAtTheEnd(kPathUnits, u'p')));
    EXPECT_STREQ(native, "");
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
