// The single-instance guard on Windows: a named mutex "Tessaroid", held for the process's
// lifetime (never closed; the process's end releases it). When it already exists, the game
// looks for the running copy's window: only a copy that has a window counts as running, so
// one that died during start-up does not keep the game from starting.
#include <windows.h>

#include "platform/instance_lock.h"

bool AcquireInstanceLock() {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, L"Tessaroid");
    if (mutex == nullptr || GetLastError() != ERROR_ALREADY_EXISTS)
        return true;
    HWND running = FindWindowW(L"KvKv", L"Tessaroid");
    ReleaseMutex(mutex);
    return running == nullptr;
}
