#pragma once
// Loading libraries by name at run time, in status-in/status-out style: every function returns
// at once when handed a status that already holds an error.
#include "common/orverr/Status.h"
#include "common/platform/DynamicLibrary.h"

namespace orvdynlib {

using LibraryHandle = platform::LibraryHandle;

// path is a Windows-style name or path ("NAME.dll", "DIR\NAME.dll"), UTF-8. Null on failure.
LibraryHandle load(const char* path, orverr::Status& status);
void* symbol(LibraryHandle library, const char* name, orverr::Status& status);
void unload(LibraryHandle library);

// The same over a given backend (tests inject failures here).
LibraryHandle load(platform::DynamicLibraryInterface& backend, const char* path, orverr::Status& status);
void* symbol(platform::DynamicLibraryInterface& backend, LibraryHandle library, const char* name,
             orverr::Status& status);
void unload(platform::DynamicLibraryInterface& backend, LibraryHandle library);

// Unloads on scope exit.
class ScopedLibrary {
public:
    explicit ScopedLibrary(LibraryHandle library, platform::DynamicLibraryInterface& backend = platform::dynamicLibrary())
        : library_(library), backend_(backend) {}
    ~ScopedLibrary() { unload(backend_, library_); }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;
    LibraryHandle get() const { return library_; }

private:
    LibraryHandle library_;
    platform::DynamicLibraryInterface& backend_;
};

}  // namespace orvdynlib
