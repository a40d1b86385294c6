#include "HostPlatform.h"

#include <dlfcn.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

namespace sysvistahost {

LoadedLibrary::LoadedLibrary(const std::string& path) {
    handle_ = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        error_ = reason ? reason : "unknown error";
    }
}

LoadedLibrary::~LoadedLibrary() {
    if (handle_ != nullptr && !keep_) dlclose(handle_);
}

void* LoadedLibrary::symbol(const char* name) const { return handle_ ? dlsym(handle_, name) : nullptr; }

std::string programFolder() {
    std::vector<char> buffer(4096);
    ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
    if (length <= 0) return "./";
    std::string path(buffer.data(), static_cast<size_t>(length));
    size_t slash = path.rfind('/');
    return slash == std::string::npos ? "./" : path.substr(0, slash + 1);
}

// The installation's library folder when this program is installed, else the build tree's.
std::string libraryFolder() {
    const std::string installed = programFolder() + ORV_HOST_LIBRARY_FOLDER "/";
    struct stat info {};
    if (stat(installed.c_str(), &info) == 0 && S_ISDIR(info.st_mode)) return installed;
    return programFolder() + "../lib/";
}

const char* const kPluginFileName = "libQuorrel.so";

void setEnvironment(const char* name, const std::string& value) { setenv(name, value.c_str(), 1); }

const char* getEnvironment(const char* name) { return getenv(name); }

std::string writeTemporaryFile(const std::string& prefix, const std::string& text) {
    const char* folder = getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/" + prefix + "XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) return "";
    size_t written = 0;
    while (written < text.size()) {
        ssize_t n = write(fd, text.data() + written, text.size() - written);
        if (n <= 0) break;
        written += static_cast<size_t>(n);
    }
    close(fd);
    if (written != text.size()) {
        unlink(name.data());
        return "";
    }
    return name.data();
}

void removeFile(const std::string& path) {
    if (!path.empty()) unlink(path.c_str());
}

}  // namespace sysvistahost
