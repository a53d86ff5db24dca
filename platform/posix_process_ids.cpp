// Thread and process identifiers and thread names on Linux.
#include <pthread.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "platform/process_ids.h"

uint32_t CurrentThreadId() {
    return static_cast<uint32_t>(syscall(SYS_gettid));
}
uint32_t CurrentProcessId() {
    return static_cast<uint32_t>(getpid());
}
void NameCurrentThread(const char* name) {
    (void)pthread_setname_np(pthread_self(), name);
}
