#include "common/platform/Syscalls.h"

#include <cerrno>
#include <fcntl.h>

#include "common/platform/PathParts.h"
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

bool writeFully(ssize_t (*write)(int fd, const void* data, size_t size), int fd, const char* data, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = write(fd, data + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        if (put == 0) {
            errno = EIO;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool syncFolderOf(const std::string& path, const FolderSyncCalls& calls) {
    const int fd = calls.open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0) return false;
    const bool synced = calls.fsync(fd) == 0;
    const int error = errno;
    calls.close(fd);
    errno = error;
    return synced;
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
