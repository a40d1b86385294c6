#pragma once
// Every system call of the lockable file goes through this table so that tests can make a
// chosen call fail without touching the file system.
#include <windows.h>

namespace platform::win32 {

struct FileLockSyscalls {
    HANDLE(WINAPI* createFile)(LPCWSTR path, DWORD access, DWORD share, LPSECURITY_ATTRIBUTES security,
                               DWORD disposition, DWORD flags, HANDLE templateFile);
    BOOL(WINAPI* closeHandle)(HANDLE file);
    BOOL(WINAPI* lockFileEx)(HANDLE file, DWORD flags, DWORD reserved, DWORD lengthLow, DWORD lengthHigh,
                             LPOVERLAPPED at);
    BOOL(WINAPI* unlockFileEx)(HANDLE file, DWORD reserved, DWORD lengthLow, DWORD lengthHigh, LPOVERLAPPED at);
    BOOL(WINAPI* readFile)(HANDLE file, LPVOID buffer, DWORD size, LPDWORD count, LPOVERLAPPED at);
    BOOL(WINAPI* writeFile)(HANDLE file, LPCVOID data, DWORD size, LPDWORD count, LPOVERLAPPED at);
    BOOL(WINAPI* setFilePointerEx)(HANDLE file, LARGE_INTEGER distance, PLARGE_INTEGER position, DWORD method);
    BOOL(WINAPI* setEndOfFile)(HANDLE file);
    BOOL(WINAPI* flushFileBuffers)(HANDLE file);
    void(WINAPI* sleep)(DWORD milliseconds);
    DWORD(WINAPI* getLastError)();
    DWORD(WINAPI* getFileType)(HANDLE file);
    BOOL(WINAPI* deleteFile)(LPCWSTR path);
};

// The table in use; tests replace entries and restore them with realFileLockSyscalls().
FileLockSyscalls& fileLockSyscalls();
FileLockSyscalls realFileLockSyscalls();

}  // namespace platform::win32
