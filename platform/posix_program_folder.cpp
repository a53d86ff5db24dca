// The executable's path on Linux, from /proc/self/exe.
#include <unistd.h>

#include "platform/path16.h"
#include "platform/program_folder.h"

bool ExecutablePath(char16_t* out, int capacity) {
    if (capacity <= 0)
        return false;
    out[0] = 0;
    char native[4096];
    ssize_t n = readlink("/proc/self/exe", native, sizeof native - 1);
    if (n <= 0 || static_cast<size_t>(n) >= sizeof native - 1)
        return false;
    native[n] = 0;
    return TextFromUtf8(out, capacity, native);
}
