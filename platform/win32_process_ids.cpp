// Thread and process identifiers and thread names on Windows.
#include <windows.h>

#include "platform/process_ids.h"

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(GetCurrentThreadId());
}
uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(GetCurrentProcessId());
}

// SetThreadDescription exists from Windows 10 1607 on; looked up so that older systems run.
void NameCurrentThread(const char* name) {
    using Describe = HRESULT(WINAPI*)(HANDLE, PCWSTR);
    HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    auto describe = kernel != nullptr ? reinterpret_cast<Describe>(reinterpret_cast<void*>(
                                            GetProcAddress(kernel, "SetThreadDescription")))
                                      : nullptr;
    if (describe == nullptr)
        return;
    wchar_t wide[32] = {};
    for (int i = 0; i < 31 && name[i] != 0; ++i) wide[i] = static_cast<wchar_t>(name[i]);
    (void)describe(GetCurrentThread(), wide);
}
