#include "common/platform/ModulePath.h"

#include <dlfcn.h>

namespace platform {

std::string moduleFileName(const void* address) {
    Dl_info info{};
    if (dladdr(address, &info) == 0 || info.dli_fname == nullptr) return std::string();
    return info.dli_fname;
}

}  // namespace platform
