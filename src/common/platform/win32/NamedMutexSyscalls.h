#pragma once
// The system calls behind the named mutex, replaceable so that tests can make them fail.
#include <windows.h>

namespace platform::win32 {

struct NamedMutexSyscalls {
    HANDLE(WINAPI* createMutex)(LPSECURITY_ATTRIBUTES security, BOOL initialOwner, LPCWSTR name);
    DWORD(WINAPI* waitForSingleObject)(HANDLE object, DWORD milliseconds);
    BOOL(WINAPI* releaseMutex)(HANDLE mutex);
    BOOL(WINAPI* closeHandle)(HANDLE object);
    DWORD(WINAPI* getLastError)();
};

NamedMutexSyscalls& namedMutexSyscalls();
NamedMutexSyscalls realNamedMutexSyscalls();

}  // namespace platform::win32
