#include "common/platform/ThreadName.h"

#include <pthread.h>

namespace platform {

namespace {
// The kernel keeps 15 characters and the NUL.
constexpr std::size_t kMaxThreadName = 15;
}  // namespace

void setCurrentThreadName(const std::string& name) {
    const std::string cut = name.substr(0, kMaxThreadName);
    pthread_setname_np(pthread_self(), cut.c_str());
}

std::string currentThreadName() {
    char buffer[kMaxThreadName + 1] = {};
    if (pthread_getname_np(pthread_self(), buffer, sizeof buffer) != 0) return std::string();
    return buffer;
}

}  // namespace platform
