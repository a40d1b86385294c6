#pragma once
// The system calls behind folder listings, replaceable so that tests can make one fail.
#include <windows.h>

namespace platform::win32 {

struct DirectorySyscalls {
    HANDLE(WINAPI* findFirstFile)(LPCWSTR pattern, LPWIN32_FIND_DATAW found);
    BOOL(WINAPI* findNextFile)(HANDLE search, LPWIN32_FIND_DATAW found);
    BOOL(WINAPI* findClose)(HANDLE search);
    DWORD(WINAPI* getFileAttributes)(LPCWSTR path);
    DWORD(WINAPI* getLastError)();
};

// The table in use; tests replace entries and restore them with realDirectorySyscalls().
DirectorySyscalls& directorySyscalls();
DirectorySyscalls realDirectorySyscalls();

}  // namespace platform::win32
