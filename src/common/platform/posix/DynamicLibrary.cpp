#include "common/platform/DynamicLibrary.h"

#include <dlfcn.h>

#include <cerrno>

#include "common/platform/File.h"
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
    std::string tail = name.substr(name.size() - 4);
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail == ".dll";
}

void fillError(OsError& error, int savedErrno, const char* fallback) {
    error.code = savedErrno;
    const char* text = dynamicLibrarySyscalls().dlerror();
    error.message = text ? text : fallback;
}

class PosixDynamicLibrary : public DynamicLibraryInterface {
public:
    LibraryHandle load(const std::string& windowsName, OsError& error) override {
        const std::string file = nativeLibraryName(windowsName);
        dynamicLibrarySyscalls().dlerror();
        errno = 0;
        void* handle = dynamicLibrarySyscalls().dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) fillError(error, errno, "cannot load library");
        return handle;
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
    const std::string path = nativePath(windowsName);
    if (!posix::endsWithDll(path)) return path;
    const std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    const std::string base = path.substr(folder.size(), path.size() - folder.size() - 4);
    return folder + "lib" + base + ".so";
}

DynamicLibraryInterface& dynamicLibrary() {
    static posix::PosixDynamicLibrary instance;
    return instance;
}

}  // namespace platform
