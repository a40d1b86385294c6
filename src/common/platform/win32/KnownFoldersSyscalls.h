#pragma once
// The system calls behind the known folders, replaceable so that tests can make them fail.
#include <windows.h>

namespace platform::win32 {

struct KnownFoldersSyscalls {
    HRESULT(WINAPI* shGetFolderPath)(HWND owner, int folder, HANDLE token, DWORD flags, LPWSTR path);
    DWORD(WINAPI* getTempPath)(DWORD size, LPWSTR path);
};

KnownFoldersSyscalls& knownFoldersSyscalls();
KnownFoldersSyscalls realKnownFoldersSyscalls();

}  // namespace platform::win32
