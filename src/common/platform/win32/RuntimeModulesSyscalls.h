#pragma once
// The system calls behind the graphical run-time lookup, replaceable so that tests can stand in
// for modules the process does not hold.
#include <windows.h>

#include <cstdint>

namespace platform::win32 {

struct RuntimeModulesSyscalls {
    LPVOID(WINAPI* tlsGetValue)(DWORD index);
    HMODULE(WINAPI* getModuleHandle)(LPCWSTR name);
    BOOL(WINAPI* getModuleHandleEx)(DWORD flags, LPCWSTR name, HMODULE* module);
    FARPROC(WINAPI* getProcAddress)(HMODULE module, LPCSTR name);
    BOOL(WINAPI* enumProcessModules)(HANDLE process, HMODULE* modules, DWORD size, LPDWORD needed);
    int(WINAPI* messageBox)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);
};

// The table in use; tests replace entries and restore them with realRuntimeModulesSyscalls().
RuntimeModulesSyscalls& runtimeModulesSyscalls();
RuntimeModulesSyscalls realRuntimeModulesSyscalls();

// The image-version field of a loaded PE image's optional header; 0 when the image has none.
uint32_t imageVersionKey(const void* imageBase);

}  // namespace platform::win32
