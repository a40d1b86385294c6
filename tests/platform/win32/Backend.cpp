#include "platform/Backend.h"

#include <windows.h>

#include "common/platform/win32/DirectoryMonitorSyscalls.h"
#include "common/platform/win32/NamedMutexSyscalls.h"

namespace platformtest {

const std::size_t kThreadNameLimit = 0;

uint32_t systemProcessId() { return static_cast<uint32_t>(::GetCurrentProcessId()); }

void refuseNamedMutexes() {
    platform::win32::namedMutexSyscalls().createMutex = [](LPSECURITY_ATTRIBUTES, BOOL, LPCWSTR) -> HANDLE {
        ::SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    };
}

const int32_t kRefusedMutexError = ERROR_ACCESS_DENIED;

bool makeNamedPipe(const std::string&) { return false; }

// Change notifications do not name the entry: every change is "not known".
const bool kChangesNameTheEntry = false;

const int32_t kInjectedError = ERROR_NOT_ENOUGH_MEMORY;

namespace {
platform::win32::DirectoryMonitorSyscalls& monitor() { return platform::win32::directoryMonitorSyscalls(); }
}  // namespace

std::vector<InjectedFailure> monitorFailures() {
    return {
        {"FindFirstChangeNotificationW",
         [] {
             monitor().findFirstChangeNotification = [](LPCWSTR, BOOL, DWORD) {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return INVALID_HANDLE_VALUE;
             };
         },
         true},
        {"CreateEventW",
         [] {
             monitor().createEvent = [](LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCWSTR) -> HANDLE {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return nullptr;
             };
         },
         true},
        {"WaitForMultipleObjects",
         [] {
             monitor().waitForMultipleObjects = [](DWORD, const HANDLE*, BOOL, DWORD) -> DWORD {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return WAIT_FAILED;
             };
         },
         false},
        {"FindNextChangeNotification",
         [] {
             monitor().findNextChangeNotification = [](HANDLE) -> BOOL {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return FALSE;
             };
         },
         false},
    };
}

}  // namespace platformtest
