// The single-instance guard on POSIX systems: an exclusive flock on Tessaroid.lock in
// $XDG_RUNTIME_DIR (else the temporary folder). The descriptor stays open until the process
// ends, which is what releases the lock.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "platform/instance_lock.h"

bool AcquireInstanceLock() {
    const char* folder = std::getenv("XDG_RUNTIME_DIR");
    if (folder == nullptr || folder[0] == 0)
        folder = std::getenv("TMPDIR");
    if (folder == nullptr || folder[0] == 0)
        folder = "/tmp";
    char path[4096];
    int n = std::snprintf(path, sizeof path, "%s/Tessaroid.lock", folder);
    if (n < 0 || static_cast<size_t>(n) >= sizeof path)
        return true;
    int fd = open(path, O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return true;
    if (flock(fd, LOCK_EX | LOCK_NB) == 0)
        return true;  // kept open on purpose
    bool held = errno == EWOULDBLOCK;
    close(fd);
    return !held;
}
