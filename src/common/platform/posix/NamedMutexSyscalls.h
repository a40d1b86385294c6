#pragma once
// The system calls behind the named mutex, replaceable so that tests can make them fail.
#include <sys/stat.h>

#include <string>

namespace platform {
namespace posix {

struct NamedMutexSyscalls {
    int (*open)(const char* path, int flags, mode_t mode);
    int (*close)(int fd);
    int (*flock)(int fd, int operation);
    int (*fstat)(int fd, struct stat* buffer);
    int (*stat)(const char* path, struct stat* buffer);
    int (*access)(const char* path, int mode);
    int (*unlink)(const char* path);
    char* (*getenv)(const char* name);
};

NamedMutexSyscalls& namedMutexSyscalls();
NamedMutexSyscalls realNamedMutexSyscalls();

// The folder that holds the lock files.
std::string namedMutexFolder();

}  // namespace posix
}  // namespace platform
