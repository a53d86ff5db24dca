// Thread and process identifiers on Windows.
#include <windows.h>

#include "platform/process_ids.h"

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(GetCurrentThreadId());
}
uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(GetCurrentProcessId());
}
