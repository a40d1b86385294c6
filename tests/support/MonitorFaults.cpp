#include "support/MonitorFaults.h"

#include <cerrno>

#if defined(_WIN32)
#include "common/platform/win32/DirectoryMonitorSyscalls.h"
namespace monitorsys = platform::win32;
#else
#include "common/platform/posix/DirectoryMonitorSyscalls.h"
namespace monitorsys = platform::posix;
#endif

namespace debugconfigtest {

int failMonitorStart() {
#if defined(_WIN32)
    monitorsys::directoryMonitorSyscalls().findFirstChangeNotification = [](LPCWSTR, BOOL, DWORD) {
        ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return INVALID_HANDLE_VALUE;
    };
    return ERROR_NOT_ENOUGH_QUOTA;
#else
    monitorsys::directoryMonitorSyscalls().inotifyAddWatch = [](int, const char*, uint32_t) {
        errno = ENOSPC;
        return -1;
    };
    return ENOSPC;
#endif
}

void failMonitorWait() {
#if defined(_WIN32)
    monitorsys::directoryMonitorSyscalls().waitForMultipleObjects = [](DWORD, const HANDLE*, BOOL, DWORD) -> DWORD {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    };
#else
    monitorsys::directoryMonitorSyscalls().poll = [](struct pollfd*, nfds_t, int) {
        errno = EINVAL;
        return -1;
    };
#endif
}

void restoreMonitor() { monitorsys::directoryMonitorSyscalls() = monitorsys::realDirectoryMonitorSyscalls(); }

}  // namespace debugconfigtest
