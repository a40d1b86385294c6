#include "common/platform/ModulePath.h"

#include <dlfcn.h>
#include <link.h>
#include <limits.h>
#include <stdlib.h>
#include <unistd.h>

#include <vector>

namespace platform {
namespace {

// The program itself: the loader names it only by the argv[0] it was started with.
std::string programFileName() {
    std::vector<char> buffer(PATH_MAX);
    for (;;) {
        const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
        if (length <= 0) return std::string();
        if (static_cast<size_t>(length) < buffer.size()) return std::string(buffer.data(), static_cast<size_t>(length));
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace

std::string moduleFileName(const void* address) {
    Dl_info info{};
    link_map* module = nullptr;
    if (dladdr1(address, &info, reinterpret_cast<void**>(&module), RTLD_DL_LINKMAP) == 0 || info.dli_fname == nullptr)
        return std::string();
    if (module != nullptr && module->l_name != nullptr && module->l_name[0] == '\0') return programFileName();
    return info.dli_fname;
}

std::string resolvedModuleFileName(const void* address) {
    const std::string name = moduleFileName(address);
    if (name.empty()) return name;
    char* resolved = ::realpath(name.c_str(), nullptr);
    if (resolved == nullptr) return name;
    std::string path(resolved);
    ::free(resolved);
    return path;
}

}  // namespace platform
