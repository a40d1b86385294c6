#pragma once
// The C run-time and system calls behind the file service, replaceable so that tests can make an
// open, a read, a write, a flush, a sync, a rename or a mode change fail at a chosen point.
#include <cstdio>
#include <sys/stat.h>
#include <sys/types.h>

namespace platform {
namespace posix {

struct FileSyscalls {
    std::FILE* (*fdopen)(int fd, const char* mode);
    int (*seek)(std::FILE* file, off_t offset, int whence);  // fseeko
    off_t (*tell)(std::FILE* file);                           // ftello
    std::size_t (*fread)(void* buffer, std::size_t size, std::size_t count, std::FILE* file);
    std::size_t (*fwrite)(const void* data, std::size_t size, std::size_t count, std::FILE* file);
    int (*fflush)(std::FILE* file);
    int (*ferror)(std::FILE* file);
    int (*fclose)(std::FILE* file);
    // Replacing a file.
    int (*open)(const char* path, int flags, mode_t mode);
    ssize_t (*write)(int fd, const void* data, std::size_t size);
    int (*fsync)(int fd);
    int (*close)(int fd);
    int (*rename)(const char* from, const char* to);
    int (*unlink)(const char* path);
    int (*lstat)(const char* path, struct stat* status);
    int (*fstat)(int fd, struct stat* status);
    int (*fchmod)(int fd, mode_t mode);
};

// The table in use; starts with the real calls.
FileSyscalls& fileSyscalls();
// The real calls, for restoring.
FileSyscalls realFileSyscalls();

}  // namespace posix
}  // namespace platform
