#include "common/platform/DynamicLibrary.h"

#include "common/platform/WideText.h"
#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform {
namespace win32 {

DynamicLibrarySyscalls realDynamicLibrarySyscalls() {
    return DynamicLibrarySyscalls{&::LoadLibraryExW, &::GetModuleHandleExW, &::GetProcAddress, &::FreeLibrary,
                                  &::GetLastError};
}

DynamicLibrarySyscalls& dynamicLibrarySyscalls() {
    static DynamicLibrarySyscalls table = realDynamicLibrarySyscalls();
    return table;
}

namespace {

bool hasFolder(const std::string& name) { return name.find_first_of("\\/:") != std::string::npos; }

void fillError(OsError& error, const std::string& subject) {
    const DWORD code = dynamicLibrarySyscalls().getLastError();
    error.code = static_cast<int32_t>(code);
    error.message = subject + ": " + systemErrorMessage(code);
}

class Win32DynamicLibrary : public DynamicLibraryInterface {
public:
    LibraryHandle load(const std::string& windowsName, OsError& error) override {
        const std::string file = nativeLibraryName(windowsName);
        // A library named with its folder finds its own dependencies beside it.
        const DWORD flags = hasFolder(file) ? LOAD_WITH_ALTERED_SEARCH_PATH : 0;
        HMODULE module = dynamicLibrarySyscalls().loadLibraryEx(utf8ToWide(file).c_str(), nullptr, flags);
        if (module == nullptr) fillError(error, file);
        return module;
    }

    // Takes a reference like the Linux look-up does, so that unload() balances both.
    LibraryHandle findLoaded(const std::string& windowsName) override {
        HMODULE module = nullptr;
        const std::wstring file = utf8ToWide(nativeLibraryName(windowsName));
        if (!dynamicLibrarySyscalls().getModuleHandleEx(0, file.c_str(), &module)) return nullptr;
        return module;
    }

    void* symbol(LibraryHandle library, const char* name, OsError& error) override {
        if (library == nullptr) {
            error.code = ERROR_INVALID_HANDLE;
            error.message = std::string(name) + ": " + systemErrorMessage(ERROR_INVALID_HANDLE);
            return nullptr;
        }
        FARPROC address = dynamicLibrarySyscalls().getProcAddress(static_cast<HMODULE>(library), name);
        if (address == nullptr) fillError(error, name);
        return reinterpret_cast<void*>(address);
    }

    void unload(LibraryHandle library) override {
        if (library) dynamicLibrarySyscalls().freeLibrary(static_cast<HMODULE>(library));
    }
};

}  // namespace
}  // namespace win32

// Windows names are native here; only '/' separators are turned into '\'.
std::string nativeLibraryName(const std::string& windowsName) {
    std::string name = windowsName;
    for (char& c : name)
        if (c == '/') c = '\\';
    return name;
}

DynamicLibraryInterface& dynamicLibrary() {
    static win32::Win32DynamicLibrary instance;
    return instance;
}

}  // namespace platform
