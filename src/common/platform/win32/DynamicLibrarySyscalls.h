#pragma once
// The system calls behind the dynamic-library service, replaceable so that tests can make a
// load or a look-up fail at a chosen point.
#include <windows.h>

namespace platform::win32 {

struct DynamicLibrarySyscalls {
    HMODULE(WINAPI* loadLibraryEx)(LPCWSTR name, HANDLE reserved, DWORD flags);
    BOOL(WINAPI* getModuleHandleEx)(DWORD flags, LPCWSTR name, HMODULE* module);
    FARPROC(WINAPI* getProcAddress)(HMODULE module, LPCSTR name);
    BOOL(WINAPI* freeLibrary)(HMODULE module);
    DWORD(WINAPI* getLastError)();
};

// The table in use; starts with the real calls.
DynamicLibrarySyscalls& dynamicLibrarySyscalls();
// The real calls, for restoring.
DynamicLibrarySyscalls realDynamicLibrarySyscalls();

}  // namespace platform::win32
