#include "support/MonitorFaults.h"

#include <cerrno>

#include "common/platform/posix/DirectoryMonitorSyscalls.h"

namespace debugconfigtest {

int failMonitorStart() {
    platform::posix::directoryMonitorSyscalls().inotifyAddWatch = [](int, const char*, uint32_t) {
        errno = ENOSPC;
        return -1;
    };
    return ENOSPC;
}

void failMonitorWait() {
    platform::posix::directoryMonitorSyscalls().poll = [](struct pollfd*, nfds_t, int) {
        errno = EINVAL;
        return -1;
    };
}

void restoreMonitor() { platform::posix::directoryMonitorSyscalls() = platform::posix::realDirectoryMonitorSyscalls(); }

}  // namespace debugconfigtest
