// Thread and process identifiers on Linux.
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/process_ids.h"

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(syscall(SYS_gettid));
}
uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(getpid());
}
