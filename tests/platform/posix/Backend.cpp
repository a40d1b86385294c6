#include "platform/Backend.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "common/platform/posix/DirectoryMonitorSyscalls.h"
#include "common/platform/posix/NamedMutexSyscalls.h"

namespace platformtest {

const std::size_t kThreadNameLimit = 15;  // and the NUL: the kernel's limit

uint32_t systemProcessId() { return static_cast<uint32_t>(::getpid()); }

void refuseNamedMutexes() {
    platform::posix::namedMutexSyscalls().open = [](const char*, int, mode_t) { return errno = EACCES, -1; };
}

const int32_t kRefusedMutexError = EACCES;

bool makeNamedPipe(const std::string& path) { return ::mkfifo(path.c_str(), 0600) == 0; }

const bool kChangesNameTheEntry = true;  // inotify names it

const int32_t kInjectedError = ENOMEM;

namespace {
platform::posix::DirectoryMonitorSyscalls& monitor() { return platform::posix::directoryMonitorSyscalls(); }
int failWithEnomem() { return errno = ENOMEM, -1; }
}  // namespace

std::vector<InjectedFailure> monitorFailures() {
    return {
        {"inotify_init1", [] { monitor().inotifyInit = [](int) { return failWithEnomem(); }; }, true},
        {"inotify_add_watch",
         [] { monitor().inotifyAddWatch = [](int, const char*, uint32_t) { return failWithEnomem(); }; }, true},
        {"eventfd", [] { monitor().eventfd = [](unsigned, int) { return failWithEnomem(); }; }, true},
        {"poll", [] { monitor().poll = [](struct pollfd*, nfds_t, int) { return failWithEnomem(); }; }, false},
        {"read", [] { monitor().read = [](int, void*, size_t) -> ssize_t { return failWithEnomem(); }; }, false},
    };
}

}  // namespace platformtest
