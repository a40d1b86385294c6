#pragma once
// Helpers shared by the posix system-call tables.
#include <cstddef>
#include <string>
#include <sys/types.h>

namespace platform::posix {

// open() that is tried again when a signal interrupts it, the real `open` of every table.
int openRetryingOnInterrupt(const char* path, int flags, mode_t mode);

// Writes all of data through the given write call, again after an interruption or a short write;
// false with errno set when the system refuses (EIO when it accepts nothing).
bool writeFully(ssize_t (*write)(int fd, const void* data, size_t size), int fd, const char* data, std::size_t size);

// Syncs the folder that holds path, so that a name made or renamed there survives a crash, through
// the given calls; false with errno set when the folder cannot be opened or synced.
struct FolderSyncCalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*fsync)(int fd);
    int (*close)(int fd);
};
bool syncFolderOf(const std::string& path, const FolderSyncCalls& calls);

}  // namespace platform::posix
