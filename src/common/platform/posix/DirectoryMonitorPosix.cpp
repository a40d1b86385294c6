// The folder monitor on Linux: inotify for the folder's entries and an eventfd that stop()
// signals, both waited on with poll.
#include <sys/eventfd.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>

#include "common/platform/DirectoryMonitor.h"
#include "common/platform/File.h"
#include "common/platform/posix/OsErrorPosix.h"
#include "common/platform/posix/DirectoryMonitorSyscalls.h"

namespace platform::posix {

DirectoryMonitorSyscalls realDirectoryMonitorSyscalls() {
    return DirectoryMonitorSyscalls{&::inotify_init1, &::inotify_add_watch, &::eventfd, &::poll,
                                    &::read,          &::write,             &::close};
}

DirectoryMonitorSyscalls& directoryMonitorSyscalls() {
    static DirectoryMonitorSyscalls table = realDirectoryMonitorSyscalls();
    return table;
}

namespace {

const DirectoryMonitorSyscalls& sys() { return directoryMonitorSyscalls(); }

// Never IN_OPEN, IN_ACCESS or IN_CLOSE_*: a reader's own open, lock and close must not count.
constexpr uint32_t kWatchMask =
    IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

// The watched folder itself went (deleted, moved, its file system unmounted) or its watch ended.
constexpr uint32_t kFolderGoneMask = IN_DELETE_SELF | IN_MOVE_SELF | IN_IGNORED | IN_UNMOUNT;

}  // namespace
}  // namespace platform::posix

namespace platform {

using namespace posix;

struct DirectoryMonitor::Native {
    bool watch(OsError& error) {
        inotifyFd = sys().inotifyInit(IN_CLOEXEC | IN_NONBLOCK);
        if (inotifyFd < 0 || sys().inotifyAddWatch(inotifyFd, folder.c_str(), kWatchMask) < 0) {
            fail(error);
            dropWatch();
            return false;
        }
        return true;
    }

    void dropWatch() {
        if (inotifyFd >= 0) sys().close(inotifyFd);
        inotifyFd = -1;
    }

    // Reads every pending event; an overflowed queue stands for an unknown change.
    bool readEvents(std::vector<std::string>& names, OsError& error) {
        alignas(struct inotify_event) char buffer[4096];
        for (;;) {
            const ssize_t got = sys().read(inotifyFd, buffer, sizeof buffer);
            if (got < 0) {
                if (errno == EINTR) continue;
                if (errno == EAGAIN || errno == EWOULDBLOCK) return true;
                return fail(error);
            }
            if (got == 0) return true;
            for (ssize_t at = 0; at + static_cast<ssize_t>(sizeof(struct inotify_event)) <= got;) {
                struct inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                const char* name = buffer + at + sizeof(struct inotify_event);
                if ((event.mask & kFolderGoneMask) != 0) {
                    gone = true;
                } else if ((event.mask & IN_Q_OVERFLOW) != 0) {
                    names.emplace_back();
                } else if (event.len > 0 && (event.mask & kWatchMask) != 0) {
                    names.emplace_back(name, strnlen(name, event.len));
                }
                at += static_cast<ssize_t>(sizeof(struct inotify_event) + event.len);
            }
        }
    }

    std::string folder;
    int inotifyFd = -1;
    int stopFd = -1;
    // Used by the waiting thread only.
    bool gone = false;
    std::atomic<bool> stopped{false};
};

DirectoryMonitor::DirectoryMonitor() : native_(std::make_unique<Native>()) {}
DirectoryMonitor::~DirectoryMonitor() { close(); }

bool DirectoryMonitor::start(const std::string& folder, OsError& error) {
    close();
    native_->folder = nativePath(folder);
    native_->stopFd = sys().eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (native_->stopFd < 0) return fail(error);
    if (!native_->watch(error)) {
        close();
        return false;
    }
    return true;
}

bool DirectoryMonitor::rewatch(OsError& error) {
    // A new inotify instance: events still queued for the old folder go with the old one.
    native_->dropWatch();
    native_->gone = false;
    return native_->watch(error);
}

DirectoryWait DirectoryMonitor::wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error) {
    if (native_->stopped.load()) return DirectoryWait::kStopped;
    if (native_->stopFd < 0) {
        errno = EBADF;
        fail(error);
        return DirectoryWait::kFailed;
    }
    if (native_->gone) return DirectoryWait::kFolderGone;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        int pollTimeout = -1;
        if (timeoutMs != kInfinite) {
            // Rounded up: a wait never ends before the time asked for.
            const auto left = std::chrono::duration_cast<std::chrono::microseconds>(deadline - Clock::now());
            pollTimeout = left.count() > 0 ? static_cast<int>((left.count() + 999) / 1000) : 0;
        }
        // Without a watch only a stop can end the wait early.
        struct pollfd fds[2] = {{native_->stopFd, POLLIN, 0}, {native_->inotifyFd, POLLIN, 0}};
        const int ready = sys().poll(fds, native_->inotifyFd >= 0 ? 2 : 1, pollTimeout);
        if (ready < 0) {
            if (errno == EINTR) continue;
            fail(error);
            return DirectoryWait::kFailed;
        }
        if (native_->stopped.load() || (fds[0].revents & POLLIN) != 0) return DirectoryWait::kStopped;
        if (ready == 0) return DirectoryWait::kTimedOut;
        const size_t before = names.size();
        if (!native_->readEvents(names, error)) return DirectoryWait::kFailed;
        if (native_->gone) return DirectoryWait::kFolderGone;
        if (names.size() != before) return DirectoryWait::kChanged;
    }
}

void DirectoryMonitor::stop() {
    native_->stopped.store(true);
    const int fd = native_->stopFd;
    if (fd >= 0) {
        const uint64_t one = 1;
        (void)sys().write(fd, &one, sizeof one);
    }
}

void DirectoryMonitor::close() {
    native_->dropWatch();
    if (native_->stopFd >= 0) sys().close(native_->stopFd);
    native_->stopFd = -1;
}

}  // namespace platform
