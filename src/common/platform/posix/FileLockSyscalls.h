#pragma once
// Every system call of the lockable file goes through this table so that tests can make a
// chosen call fail without touching the file system.
#include <fcntl.h>
#include <sys/types.h>
#include <time.h>

namespace platform::posix {

struct FileLockSyscalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*close)(int fd);
    int (*lock)(int fd, int command, struct flock* range);  // fcntl with a lock command
    ssize_t (*read)(int fd, void* buffer, size_t size);
    ssize_t (*write)(int fd, const void* data, size_t size);
    off_t (*lseek)(int fd, off_t offset, int whence);
    int (*ftruncate)(int fd, off_t length);
    int (*fsync)(int fd);
    int (*nanosleep)(const struct timespec* duration, struct timespec* remaining);
    int (*unlink)(const char* path);
};

// The table in use; tests replace entries and restore them with realFileLockSyscalls().
FileLockSyscalls& fileLockSyscalls();
FileLockSyscalls realFileLockSyscalls();

}  // namespace platform::posix
