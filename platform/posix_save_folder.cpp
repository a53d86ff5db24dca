// The save folder on POSIX systems: the program folder when the player may write into it,
// else $XDG_DATA_HOME/tessaroid/ (~/.local/share/tessaroid/), made with mode 0700.
#include "platform/posix_save_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/save_folder.h"

namespace {

// Native path buffer: each UTF-16 unit becomes at most three UTF-8 bytes.
constexpr size_t kNativePathBytes = kPathUnits * 3 + 1;
// The longest name written into the save folder.
constexpr int kLongestFileName = 12;  // "Game.ini.tmp"

bool Absolute(const char* path) {
    return path != nullptr && path[0] == '/';
}

// The home folder from HOME, else from the password database (HOME may be unset, as under
// some service managers).
const char* HomeFolder() {
    const char* home = std::getenv("HOME");
    if (Absolute(home))
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr ? entry->pw_dir : nullptr;
}

// Whether the player may make and replace files in the folder. The save replaces Game.ini
// by renaming its temporary file over it, so the folder's own write and search permission is
// what decides, as the kernel answers it (mode bits, ACLs, a read-only mount). Nothing is
// written to find out.
bool FolderWritable(const char16_t* folder) {
    char native[kNativePathBytes];
    if (!PathToNative(native, sizeof native, folder) || native[0] == 0)
        return false;
    return access(native, W_OK | X_OK) == 0;
}

bool IsFolder(const char* path) {
    struct stat st {};
    return stat(path, &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace

bool PlayerSaveFolder(const char* dataHome, const char* home, char16_t (&out)[kPathUnits]) {
    out[0] = 0;
    bool fits;
    if (Absolute(dataHome)) {
        fits = TextFromUtf8(out, kPathUnits, dataHome) && TextAppend(out, kPathUnits, u"/");
    } else if (Absolute(home)) {
        fits =
            TextFromUtf8(out, kPathUnits, home) && TextAppend(out, kPathUnits, u"/.local/share/");
    } else {
        return false;
    }
    fits = fits && TextAppend(out, kPathUnits, u"tessaroid/") &&
           TextLength(out, kPathUnits) + kLongestFileName < kPathUnits;
    if (!fits)
        out[0] = 0;
    return fits;
}

bool FindSaveFolder(const char16_t* programFolder, char16_t (&out)[kPathUnits]) {
    if (FolderWritable(programFolder))
        return TextCopy(out, kPathUnits, programFolder);
    return PlayerSaveFolder(std::getenv("XDG_DATA_HOME"), HomeFolder(), out);
}

bool MakeSaveFolder(const char16_t* folder) {
    char native[kNativePathBytes];
    if (!PathToNative(native, sizeof native, folder) || native[0] != '/')
        return false;
    // Each missing folder on the way down, private to the player as the XDG base
    // directories ask; those already there keep their modes.
    for (char* at = native + 1;; ++at) {
        if (*at != '/' && *at != 0)
            continue;
        char kept = *at;
        *at = 0;
        if (mkdir(native, 0700) != 0 && errno != EEXIST)
            return false;
        *at = kept;
        if (kept == 0 || at[1] == 0)
            break;
    }
    return IsFolder(native);
}
