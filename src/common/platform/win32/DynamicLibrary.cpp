#include "common/platform/DynamicLibrary.h"

#include "common/platform/ModulePath.h"
#include "common/platform/PathParts.h"
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

// The folder of the module that holds this code, where an installation puts the libraries it
// opens beside it (what the run path of a Linux library does for the same tree).
std::string ownFolder() {
    static const std::string folder = [] {
        const std::string module = moduleFileName(reinterpret_cast<const void*>(&ownFolder));
        return module.empty() ? std::string() : folderOf(module);
    }();
    return folder;
}

HMODULE loadFile(const std::string& file) {
    // A library named with its folder finds its own dependencies beside it.
    const DWORD flags = hasFolder(file) ? LOAD_WITH_ALTERED_SEARCH_PATH : 0;
    return dynamicLibrarySyscalls().loadLibraryEx(utf8ToWide(file).c_str(), nullptr, flags);
}

class Win32DynamicLibrary : public DynamicLibraryInterface {
public:
    // A plain name goes through the system's search first (the program's folder, the system
    // folders, PATH), then the folder of this module.
    LibraryHandle load(const std::string& windowsName, OsError& error) override {
        const std::string file = nativeLibraryName(windowsName);
        HMODULE module = loadFile(file);
        if (module != nullptr) return module;
        fillError(error, file);  // before anything else can change the thread's last error
        if (hasFolder(file) || error.code != ERROR_MOD_NOT_FOUND || ownFolder().empty()) return nullptr;
        const std::string beside = ownFolder() + "\\" + file;
        module = loadFile(beside);
        // Found there but not loadable: that is the failure to report.
        if (module == nullptr && dynamicLibrarySyscalls().getLastError() != ERROR_MOD_NOT_FOUND) fillError(error, beside);
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
