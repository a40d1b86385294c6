// The graphical run-time lookup on Windows. A module handle is the image's load address, so the
// module key is read straight from the PE header in memory.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "common/platform/RuntimeModules.h"
#include "common/platform/win32/RuntimeModulesSyscalls.h"

#include <psapi.h>

namespace platform {
namespace win32 {

namespace {
BOOL WINAPI enumModules(HANDLE process, HMODULE* modules, DWORD size, LPDWORD needed) {
    return ::K32EnumProcessModules(process, modules, size, needed);
}
}  // namespace

RuntimeModulesSyscalls realRuntimeModulesSyscalls() {
    return RuntimeModulesSyscalls{&::TlsGetValue,    &::GetModuleHandleW, &::GetModuleHandleExW,
                                  &::GetProcAddress, &enumModules,        &::MessageBoxA};
}

RuntimeModulesSyscalls& runtimeModulesSyscalls() {
    static RuntimeModulesSyscalls table = realRuntimeModulesSyscalls();
    return table;
}

// The 32 bits at offset 0x44 from the PE header: the major and minor image version.
uint32_t imageVersionKey(const void* imageBase) {
    if (imageBase == nullptr) return 0;
    const auto* base = static_cast<const unsigned char*>(imageBase);
    int32_t headerOffset = 0;
    std::memcpy(&headerOffset, base + 0x3C, sizeof headerOffset);  // e_lfanew of the DOS header
    uint32_t key = 0;
    std::memcpy(&key, base + headerOffset + 0x44, sizeof key);
    return key;
}

namespace {

const RuntimeModulesSyscalls& sys() { return runtimeModulesSyscalls(); }

// The interface promises a key other than 0 (0 marks an empty cache slot).
uint32_t nonZero(uint32_t key) { return key == 0 ? 1u : key; }

class Win32RuntimeModules : public RuntimeModulesInterface {
public:
    void* threadValue(uint32_t index) const override { return sys().tlsGetValue(index); }

    ModuleHandle mainProgramExporting(const char* const* names, int count) const override {
        HMODULE program = sys().getModuleHandle(nullptr);
        if (program == nullptr) return nullptr;
        for (int i = 0; i < count; ++i)
            if (sys().getProcAddress(program, names[i]) != nullptr) return program;
        return nullptr;
    }

    ModuleHandle findLoaded(const char* windowsName) const override {
        HMODULE module = nullptr;
        std::wstring name;
        for (const char* p = windowsName; *p; ++p) name += static_cast<wchar_t>(static_cast<unsigned char>(*p));
        // Looked up only: no reference is taken, nothing is loaded.
        if (!sys().getModuleHandleEx(GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT, name.c_str(), &module))
            return nullptr;
        return module;
    }

    uint32_t moduleKey(ModuleHandle module) const override { return nonZero(imageVersionKey(module)); }

    // Several images may share a version; any loaded one with this key counts.
    bool isLoaded(uint32_t key) const override {
        std::vector<HMODULE> modules(256);
        for (;;) {
            DWORD needed = 0;
            const DWORD size = static_cast<DWORD>(modules.size() * sizeof(HMODULE));
            if (!sys().enumProcessModules(::GetCurrentProcess(), modules.data(), size, &needed)) return false;
            if (needed <= size) {
                modules.resize(needed / sizeof(HMODULE));
                break;
            }
            modules.resize(needed / sizeof(HMODULE));
        }
        for (HMODULE module : modules)
            if (nonZero(imageVersionKey(module)) == key) return true;
        return false;
    }

    void* symbol(ModuleHandle module, const char* name) const override {
        return module ? reinterpret_cast<void*>(sys().getProcAddress(static_cast<HMODULE>(module), name)) : nullptr;
    }

    // Also on standard error, for processes without a desktop.
    void fatal(const char* caption, const char* text) const override {
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
        sys().messageBox(nullptr, text, caption, MB_ICONERROR | MB_TASKMODAL);
        std::exit(1);
    }
};

}  // namespace
}  // namespace win32

const RuntimeModulesInterface& runtimeModules() {
    static win32::Win32RuntimeModules instance;
    return instance;
}

}  // namespace platform
