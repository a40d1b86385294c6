#pragma once
// What the graphical run-time's link stub needs to know about the modules of the process. A
// module is a library handle as the platform's loader gives it (on Windows an HMODULE, here a
// dlopen handle). The module key distinguishes one loaded image from another: on Windows the
// image-version field of the PE header, here a hash of the object's path and load address, so a
// handle that is reused for another object, or the same file loaded elsewhere, gets another key.
#include <cstdint>

namespace platform {

using ModuleHandle = void*;

class RuntimeModulesInterface {
public:
    virtual ~RuntimeModulesInterface() = default;
    // The calling thread's value in a thread-local slot a host created (a pthread key here).
    virtual void* threadValue(uint32_t index) const = 0;
    // The main program, when it itself exports one of the names; null otherwise.
    virtual ModuleHandle mainProgramExporting(const char* const* names, int count) const = 0;
    // An already loaded library by its Windows name; never loads. Null when absent.
    virtual ModuleHandle findLoaded(const char* windowsName) const = 0;
    // Never 0.
    virtual uint32_t moduleKey(ModuleHandle module) const = 0;
    // Whether an object with this key is still loaded (decided without touching the handle).
    virtual bool isLoaded(uint32_t key) const = 0;
    virtual void* symbol(ModuleHandle module, const char* name) const = 0;
    // The message box of a fatal error: the text on standard error, then the process ends with 1.
    [[noreturn]] virtual void fatal(const char* caption, const char* text) const = 0;
};

const RuntimeModulesInterface& runtimeModules();

}  // namespace platform
