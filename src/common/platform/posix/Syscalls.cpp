#include "common/platform/Syscalls.h"

#include <cerrno>
#include <fcntl.h>

#include "common/platform/posix/CodePageSyscalls.h"
#include "common/platform/posix/DirectoryMonitorSyscalls.h"
#include "common/platform/posix/DirectorySyscalls.h"
#include "common/platform/posix/DynamicLibrarySyscalls.h"
#include "common/platform/posix/FileLockSyscalls.h"
#include "common/platform/posix/FileSyscalls.h"
#include "common/platform/posix/NamedMutexSyscalls.h"
#include "common/platform/posix/Syscalls.h"

namespace platform {
namespace posix {

int openRetryingOnInterrupt(const char* path, int flags, mode_t mode) {
    int fd;
    do {
        fd = ::open(path, flags, mode);
    } while (fd < 0 && errno == EINTR);
    return fd;
}

}  // namespace posix

void restoreRealSyscalls() {
    posix::codePageSyscalls() = posix::realCodePageSyscalls();
    posix::directoryMonitorSyscalls() = posix::realDirectoryMonitorSyscalls();
    posix::directorySyscalls() = posix::realDirectorySyscalls();
    posix::dynamicLibrarySyscalls() = posix::realDynamicLibrarySyscalls();
    posix::fileLockSyscalls() = posix::realFileLockSyscalls();
    posix::fileSyscalls() = posix::realFileSyscalls();
    posix::namedMutexSyscalls() = posix::realNamedMutexSyscalls();
}

}  // namespace platform
