#pragma once
// Every system call of the folder monitor goes through this table so that tests can make a
// chosen call fail without touching the file system.
#include <windows.h>

namespace platform::win32 {

struct DirectoryMonitorSyscalls {
    HANDLE(WINAPI* findFirstChangeNotification)(LPCWSTR path, BOOL subtree, DWORD filter);
    BOOL(WINAPI* findNextChangeNotification)(HANDLE change);
    BOOL(WINAPI* findCloseChangeNotification)(HANDLE change);
    HANDLE(WINAPI* createEvent)(LPSECURITY_ATTRIBUTES security, BOOL manualReset, BOOL initialState, LPCWSTR name);
    BOOL(WINAPI* setEvent)(HANDLE event);
    DWORD(WINAPI* waitForMultipleObjects)(DWORD count, const HANDLE* handles, BOOL all, DWORD timeoutMs);
    BOOL(WINAPI* closeHandle)(HANDLE handle);
    DWORD(WINAPI* getLastError)();
    // The identity of the watched folder: opened without access to its content, then asked.
    HANDLE(WINAPI* createFile)(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile);
    BOOL(WINAPI* getFileInformationByHandle)(HANDLE file, LPBY_HANDLE_FILE_INFORMATION information);
};

// The table in use; tests replace entries and restore them with realDirectoryMonitorSyscalls().
DirectoryMonitorSyscalls& directoryMonitorSyscalls();
DirectoryMonitorSyscalls realDirectoryMonitorSyscalls();

}  // namespace platform::win32
