// The executable's path on Windows, from GetModuleFileNameW.
#include <windows.h>

#include "platform/path16.h"
#include "platform/program_folder.h"

bool ExecutablePath(char16_t* out, int capacity) {
    if (capacity <= 0)
        return false;
    out[0] = 0;
    wchar_t wide[kPathUnits];
    DWORD n = GetModuleFileNameW(nullptr, wide, kPathUnits);
    // A full buffer means the name was cut (the call then reports the buffer's size).
    if (n == 0 || n >= kPathUnits || static_cast<int>(n) >= capacity)
        return false;
    for (DWORD i = 0; i <= n; ++i) out[i] = static_cast<char16_t>(wide[i]);
    return true;
}
