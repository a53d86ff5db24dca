// The player's save folder on POSIX systems: which folder the XDG variables name, and the
// folders made for it (private to the player, nothing already there changed).
#include "platform/posix_save_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "platform/save_folder.h"
#include "tests/unit/temp_folder.h"

namespace {

std::u16string Named(const char* dataHome, const char* home) {
    char16_t out[kPathUnits] = {u'?'};
    if (!PlayerSaveFolder(dataHome, home, out))
        return out[0] == 0 ? u"(none)" : u"(not cleared)";
    return out;
}

int Mode(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

}  // namespace

TEST(PosixSaveFolder, TheXdgDataHomeOrTheHomeFoldersLocalShare) {
    EXPECT_EQ(Named("/d/x", "/home/p"), u"/d/x/tessaroid/");
    EXPECT_EQ(Named(nullptr, "/home/p"), u"/home/p/.local/share/tessaroid/");
    EXPECT_EQ(Named("", "/home/p"), u"/home/p/.local/share/tessaroid/");
    EXPECT_EQ(Named("data", "/home/p"), u"/home/p/.local/share/tessaroid/");  // relative: ignored
    EXPECT_EQ(Named("/d/é", nullptr), u"/d/é/tessaroid/");
    EXPECT_EQ(Named("rel", "also-rel"), u"(none)");
    EXPECT_EQ(Named(nullptr, nullptr), u"(none)");
    // Room is left for "Game.ini.tmp" and the terminating zero in the 520-unit buffers.
    std::string deep = "/" + std::string(496, 'd');  // 497 + 11 + 12 = 520: no room
    EXPECT_EQ(Named(deep.c_str(), nullptr), u"(none)");
    deep.pop_back();
    EXPECT_EQ(Named(deep.c_str(), nullptr).size(), 507u);
}

TEST(PosixSaveFolder, MissingFoldersAreMadePrivateAndNothingThereIsChanged) {
    TempFolder dir;
    ASSERT_EQ(chmod(dir.path.c_str(), 0755), 0);
    std::u16string folder = dir.Path16("share/tessaroid/");
    ASSERT_TRUE(MakeSaveFolder(folder.c_str()));
    EXPECT_EQ(Mode(dir.path + "share"), 0700);
    EXPECT_EQ(Mode(dir.path + "share/tessaroid"), 0700);
    EXPECT_EQ(Mode(dir.path), 0755);
    // Once there it is used as it is, whatever its mode.
    ASSERT_EQ(chmod((dir.path + "share/tessaroid").c_str(), 0750), 0);
    EXPECT_TRUE(MakeSaveFolder(folder.c_str()));
    EXPECT_EQ(Mode(dir.path + "share/tessaroid"), 0750);
    // A file where a folder should be: refused, and the file keeps its bytes.
    std::vector<uint8_t> bytes = {1, 2, 3};
    dir.Write("file", bytes);
    EXPECT_FALSE(MakeSaveFolder(dir.Path16("file").c_str()));
    EXPECT_FALSE(MakeSaveFolder(dir.Path16("file/tessaroid/").c_str()));
    EXPECT_EQ(dir.Read("file"), bytes);
    EXPECT_FALSE(MakeSaveFolder(u""));
    EXPECT_FALSE(MakeSaveFolder(u"relative/tessaroid/"));
}

TEST(PosixSaveFolder, AWritableProgramFolderKeepsTheFilesBesideTheExecutable) {
    TempFolder dir;
    char16_t out[kPathUnits];
    ASSERT_TRUE(FindSaveFolder(dir.Path16("").c_str(), out));
    EXPECT_EQ(std::u16string(out), dir.Path16(""));
    // One that cannot be written (here: not there at all) sends them to XDG_DATA_HOME.
    const char* old = std::getenv("XDG_DATA_HOME");
    std::string kept = old != nullptr ? old : "";
    setenv("XDG_DATA_HOME", (dir.path + "xdg").c_str(), 1);
    bool found = FindSaveFolder(dir.Path16("gone/").c_str(), out);
    old != nullptr ? setenv("XDG_DATA_HOME", kept.c_str(), 1) : unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(found);
    EXPECT_EQ(std::u16string(out), dir.Path16("xdg/tessaroid/"));
}
