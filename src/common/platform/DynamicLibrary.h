#pragma once
// Loading shared libraries at run time. Names are given the Windows way ("NAME.dll" or
// "DIR\NAME.dll"); the backend maps them to its own file names and searches the platform's
// normal library path for a plain name.
#include <cstdint>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

using LibraryHandle = void*;


class DynamicLibraryInterface {
public:
    virtual ~DynamicLibraryInterface() = default;
    // Null on failure, with error filled (code 0 when the system gives no number).
    virtual LibraryHandle load(const std::string& windowsName, OsError& error) = 0;
    // Only a library the process has already loaded; never loads. Null when absent.
    virtual LibraryHandle findLoaded(const std::string& windowsName) = 0;
    // Null on failure, with error filled.
    virtual void* symbol(LibraryHandle library, const char* name, OsError& error) = 0;
    virtual void unload(LibraryHandle library) = 0;
};

// The file name this platform uses for a Windows library name.
std::string nativeLibraryName(const std::string& windowsName);

// The process's backend.
DynamicLibraryInterface& dynamicLibrary();

}  // namespace platform
