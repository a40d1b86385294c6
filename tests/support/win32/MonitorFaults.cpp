#include "support/MonitorFaults.h"

#include "common/platform/win32/DirectoryMonitorSyscalls.h"

namespace debugconfigtest {

int failMonitorStart() {
    platform::win32::directoryMonitorSyscalls().findFirstChangeNotification = [](LPCWSTR, BOOL, DWORD) {
        ::SetLastError(ERROR_NOT_ENOUGH_QUOTA);
        return INVALID_HANDLE_VALUE;
    };
    return ERROR_NOT_ENOUGH_QUOTA;
}

void failMonitorWait() {
    platform::win32::directoryMonitorSyscalls().waitForMultipleObjects = [](DWORD, const HANDLE*, BOOL, DWORD) -> DWORD {
        ::SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    };
}

void restoreMonitor() { platform::win32::directoryMonitorSyscalls() = platform::win32::realDirectoryMonitorSyscalls(); }

}  // namespace debugconfigtest
