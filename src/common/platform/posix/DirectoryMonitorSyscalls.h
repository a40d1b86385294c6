#pragma once
// Every system call of the folder monitor goes through this table so that tests can make a
// chosen call fail without touching the file system.
#include <poll.h>
#include <stdint.h>
#include <sys/types.h>

namespace platform::posix {

struct DirectoryMonitorSyscalls {
    int (*inotifyInit)(int flags);
    int (*inotifyAddWatch)(int fd, const char* path, uint32_t mask);
    int (*eventfd)(unsigned int initial, int flags);
    int (*poll)(struct pollfd* fds, nfds_t count, int timeoutMs);
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* data, size_t size);
    int (*close)(int fd);
};

// The table in use; tests replace entries and restore them with realDirectoryMonitorSyscalls().
DirectoryMonitorSyscalls& directoryMonitorSyscalls();
DirectoryMonitorSyscalls realDirectoryMonitorSyscalls();

}  // namespace platform::posix
