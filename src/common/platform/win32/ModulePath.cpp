#include "common/platform/ModulePath.h"

#include <windows.h>

#include "common/platform/WideText.h"

namespace platform {

std::string moduleFileName(const void* address) {
    HMODULE module = nullptr;
    // A null address would name the program itself.
    if (address == nullptr ||
        !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<LPCWSTR>(address), &module))
        return std::string();
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(module, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::string();
        if (length < path.size()) {
            path.resize(length);
            return wideToUtf8(path);
        }
        path.resize(path.size() * 2);  // cut: try a larger buffer
    }
}

// The system names a loaded module by the path it was loaded from.
std::string resolvedModuleFileName(const void* address) { return moduleFileName(address); }

}  // namespace platform
