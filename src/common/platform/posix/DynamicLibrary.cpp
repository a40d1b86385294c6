#include "common/platform/DynamicLibrary.h"

#include <dlfcn.h>

#include <cerrno>

#include "common/platform/File.h"
#include "common/platform/Installation.h"
#include "common/platform/posix/DynamicLibrarySyscalls.h"

namespace platform {
namespace posix {

DynamicLibrarySyscalls realDynamicLibrarySyscalls() {
    return DynamicLibrarySyscalls{&::dlopen, &::dlsym, &::dlclose, &::dlerror};
}

DynamicLibrarySyscalls& dynamicLibrarySyscalls() {
    static DynamicLibrarySyscalls table = realDynamicLibrarySyscalls();
    return table;
}

namespace {

bool endsWithDll(const std::string& name) {
    if (name.size() < 4) return false;
    const char* tail = name.c_str() + name.size() - 4;
    for (int i = 0; i < 4; ++i) {
        const char c = tail[i];
        if ((c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c) != ".dll"[i]) return false;
    }
    return true;
}

void fillError(OsError& error, int savedErrno, const char* fallback) {
    error.code = savedErrno;
    const char* text = dynamicLibrarySyscalls().dlerror();
    error.message = text ? text : fallback;
}

void* open(const std::string& file, OsError& error) {
    dynamicLibrarySyscalls().dlerror();
    errno = 0;
    void* handle = dynamicLibrarySyscalls().dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) fillError(error, errno, "cannot load library");
    return handle;
}

class PosixDynamicLibrary : public DynamicLibraryInterface {
public:
    // A plain name goes through the loader's search; when this module is installed, the
    // installation's library folder comes after it, so an installation under any prefix finds
    // what it ships without a run path (a build tree relies on the search path alone).
    LibraryHandle load(const std::string& windowsName, OsError& error) override {
        const std::string file = nativeLibraryName(windowsName);
        void* handle = open(file, error);
        const std::string& prefix = ownInstallationPrefix();
        if (handle || file.find('/') != std::string::npos || prefix.empty()) return handle;
        OsError ignored;
        return open(installationLibraryFolder(prefix, installationLayout()) + "/" + file, ignored);
    }

    LibraryHandle findLoaded(const std::string& windowsName) override {
        const std::string file = nativeLibraryName(windowsName);
        return dynamicLibrarySyscalls().dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    }

    void* symbol(LibraryHandle library, const char* name, OsError& error) override {
        dynamicLibrarySyscalls().dlerror();
        errno = 0;
        void* address = library ? dynamicLibrarySyscalls().dlsym(library, name) : nullptr;
        if (!address) fillError(error, errno, "symbol not found");
        return address;
    }

    void unload(LibraryHandle library) override {
        if (library) dynamicLibrarySyscalls().dlclose(library);
    }
};

}  // namespace
}  // namespace posix

std::string nativeLibraryName(const std::string& windowsName) {
    // Built in one string: the driver library is loaded around every value an export reads.
    const bool dll = posix::endsWithDll(windowsName);
    std::size_t folder = windowsName.size();
    while (folder > 0 && windowsName[folder - 1] != '/' && windowsName[folder - 1] != '\\') --folder;
    std::string path;
    path.reserve(windowsName.size() + 3);
    path.append(windowsName, 0, folder);
    for (char& c : path)
        if (c == '\\') c = '/';
    if (!dll) return path.append(windowsName, folder, std::string::npos);
    return path.append("lib").append(windowsName, folder, windowsName.size() - folder - 4).append(".so");
}

DynamicLibraryInterface& dynamicLibrary() {
    static posix::PosixDynamicLibrary instance;
    return instance;
}

}  // namespace platform
