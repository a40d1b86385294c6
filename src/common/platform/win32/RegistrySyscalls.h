#pragma once
// The system calls behind the registry, replaceable so that tests can make them fail.
#include <windows.h>

namespace platform::win32 {

struct RegistrySyscalls {
    LSTATUS(WINAPI* regOpenKeyEx)(HKEY root, LPCWSTR subkey, DWORD options, REGSAM access, PHKEY key);
    LSTATUS(WINAPI* regQueryValueEx)(HKEY key, LPCWSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                     LPDWORD size);
    LSTATUS(WINAPI* regCloseKey)(HKEY key);
};

RegistrySyscalls& registrySyscalls();
RegistrySyscalls realRegistrySyscalls();

}  // namespace platform::win32
