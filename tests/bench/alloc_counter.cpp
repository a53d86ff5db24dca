// Counts heap allocations in a running program for the benchmark command. Loaded with
// LD_PRELOAD; every allocation call is counted, those of the main thread apart and those the
// program's own code makes (malloc or new called from the executable itself, not from a
// library such as the GL driver) apart. Each SIGUSR1 appends "main all own" to the file
// TESSAROID_ALLOC_LOG names, so two signals bracket a stretch of the frame loop without the
// program knowing it is measured.
#include <fcntl.h>
#include <link.h>
#include <signal.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <new>

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* block, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
}

namespace {

std::atomic<uint64_t> theMainCount{0};
std::atomic<uint64_t> theAllCount{0};
std::atomic<uint64_t> theOwnCount{0};
const char* theLogPath = nullptr;
__thread int tIsMain = -1;
uintptr_t theCodeStart = 0;  // the executable's code
uintptr_t theCodeEnd = 0;

void Count(const void* caller) {
    theAllCount.fetch_add(1, std::memory_order_relaxed);
    const auto at = reinterpret_cast<uintptr_t>(caller);
    if (at >= theCodeStart && at < theCodeEnd)
        theOwnCount.fetch_add(1, std::memory_order_relaxed);
    if (tIsMain < 0)
        tIsMain = syscall(SYS_gettid) == getpid() ? 1 : 0;
    if (tIsMain == 1)
        theMainCount.fetch_add(1, std::memory_order_relaxed);
}

// Writes n in decimal; only async-signal-safe calls.
int Decimal(char* out, uint64_t n) {
    char digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<char>('0' + n % 10);
        n /= 10;
    } while (n != 0);
    for (int i = 0; i < count; ++i) out[i] = digits[count - 1 - i];
    return count;
}

void WriteCounts(int) {
    if (theLogPath == nullptr)
        return;
    char line[64];
    int length = Decimal(line, theMainCount.load(std::memory_order_relaxed));
    line[length++] = ' ';
    length += Decimal(line + length, theAllCount.load(std::memory_order_relaxed));
    line[length++] = ' ';
    length += Decimal(line + length, theOwnCount.load(std::memory_order_relaxed));
    line[length++] = '\n';
    int fd = open(theLogPath, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        return;
    (void)!write(fd, line, static_cast<size_t>(length));
    close(fd);
}

// The first object listed is the executable: its executable segment bounds "own" calls.
int FindCode(dl_phdr_info* info, size_t, void*) {
    for (int i = 0; i < info->dlpi_phnum; ++i) {
        const ElfW(Phdr)& segment = info->dlpi_phdr[i];
        if (segment.p_type == PT_LOAD && (segment.p_flags & PF_X) != 0) {
            theCodeStart = info->dlpi_addr + segment.p_vaddr;
            theCodeEnd = theCodeStart + segment.p_memsz;
        }
    }
    return 1;  // only the first
}

__attribute__((constructor)) void Install() {
    dl_iterate_phdr(FindCode, nullptr);
    theLogPath = getenv("TESSAROID_ALLOC_LOG");
    struct sigaction action {};
    action.sa_handler = WriteCounts;
    action.sa_flags = SA_RESTART;
    sigaction(SIGUSR1, &action, nullptr);
}

}  // namespace

extern "C" {

void* malloc(size_t size) {
    Count(__builtin_return_address(0));
    return __libc_malloc(size);
}

void* calloc(size_t count, size_t size) {
    Count(__builtin_return_address(0));
    return __libc_calloc(count, size);
}

void* realloc(void* block, size_t size) {
    Count(__builtin_return_address(0));
    return __libc_realloc(block, size);
}

void* memalign(size_t alignment, size_t size) {
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

void* aligned_alloc(size_t alignment, size_t size) {
    Count(__builtin_return_address(0));
    return __libc_memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size) {
    Count(__builtin_return_address(0));
    void* block = __libc_memalign(alignment, size);
    if (block == nullptr)
        return 12;  // ENOMEM
    *out = block;
    return 0;
}

}  // extern "C"

// new is counted where it is called, so that the executable's own new counts as its own.
namespace {
void* New(size_t size, const void* caller) {
    Count(caller);
    void* block = __libc_malloc(size != 0 ? size : 1);
    if (block == nullptr)
        abort();  // a benchmark tool: no recovery from exhaustion
    return block;
}
}  // namespace

void* operator new(size_t size) {
    return New(size, __builtin_return_address(0));
}
void* operator new[](size_t size) {
    return New(size, __builtin_return_address(0));
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
    Count(__builtin_return_address(0));
    return __libc_malloc(size != 0 ? size : 1);
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
    Count(__builtin_return_address(0));
    return __libc_malloc(size != 0 ? size : 1);
}
