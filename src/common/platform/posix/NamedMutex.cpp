#include "common/platform/NamedMutex.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

#include "common/platform/posix/NamedMutexSyscalls.h"
#include "common/platform/posix/OsErrorPosix.h"
#include "common/platform/posix/Syscalls.h"

// A named mutex is a lock file whose exclusive flock() is the lock. flock() excludes every
// other open of the file, including other modules and threads of this process. The holder
// removes the file before unlocking, so nothing is left behind; a waiter that wakes up on a
// removed file opens the current one and waits again.

namespace platform {
namespace posix {

namespace {
int statFile(const char* path, struct stat* buffer) { return ::stat(path, buffer); }
int fstatFile(int fd, struct stat* buffer) { return ::fstat(fd, buffer); }
}  // namespace

NamedMutexSyscalls realNamedMutexSyscalls() {
    return NamedMutexSyscalls{&openRetryingOnInterrupt, &::close,         &::flock, &fstatFile,
                              &statFile,               &::access,       &::unlink, &std::getenv};
}

NamedMutexSyscalls& namedMutexSyscalls() {
    static NamedMutexSyscalls table = realNamedMutexSyscalls();
    return table;
}

std::string namedMutexFolder() {
    const NamedMutexSyscalls& calls = namedMutexSyscalls();
    struct stat info;
    if (calls.stat("/dev/shm", &info) == 0 && S_ISDIR(info.st_mode) && calls.access("/dev/shm", W_OK) == 0) {
        return "/dev/shm";
    }
    const char* temp = calls.getenv("TMPDIR");
    return temp && *temp ? temp : "/tmp";
}

namespace {

std::string lockFilePath(const std::string& name) {
    std::string file = "orv-mutex-";
    for (char c : name) file += (c == '/' || c == '\\' || c == ' ') ? '_' : c;
    return namedMutexFolder() + "/" + file;
}

int openLockFile(const std::string& path) {
    return namedMutexSyscalls().open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
}

class PosixNamedMutex : public NamedMutexInterface {
public:
    PosixNamedMutex(std::string path, int fd) : path_(std::move(path)), fd_(fd) {}
    ~PosixNamedMutex() override {
        if (locked_) unlock();
        if (fd_ >= 0) namedMutexSyscalls().close(fd_);
    }
    PosixNamedMutex(const PosixNamedMutex&) = delete;
    PosixNamedMutex& operator=(const PosixNamedMutex&) = delete;

    bool lock(OsError& error) override {
        const NamedMutexSyscalls& sys = namedMutexSyscalls();
        for (;;) {
            if (fd_ < 0 && (fd_ = openLockFile(path_)) < 0) return fail(error);
            if (sys.flock(fd_, LOCK_EX) != 0) {
                if (errno == EINTR) continue;
                return fail(error);
            }
            struct stat held;
            struct stat current;
            if (sys.fstat(fd_, &held) == 0 && sys.stat(path_.c_str(), &current) == 0 &&
                held.st_ino == current.st_ino && held.st_dev == current.st_dev) {
                locked_ = true;
                return true;
            }
            // The previous holder removed this file: wait on the current one.
            sys.close(fd_);
            fd_ = -1;
        }
    }

    void unlock() override {
        if (!locked_) return;
        const NamedMutexSyscalls& sys = namedMutexSyscalls();
        sys.unlink(path_.c_str());
        sys.flock(fd_, LOCK_UN);
        sys.close(fd_);
        fd_ = -1;
        locked_ = false;
    }

private:
    std::string path_;
    int fd_;
    bool locked_ = false;
};

class PosixNamedMutexFactory : public NamedMutexFactoryInterface {
public:
    std::unique_ptr<NamedMutexInterface> open(const std::string& name, OsError& error) override {
        std::string path = lockFilePath(name);
        const int fd = openLockFile(path);
        if (fd < 0) {
            fail(error);
            return nullptr;
        }
        return std::make_unique<PosixNamedMutex>(std::move(path), fd);
    }
};

}  // namespace
}  // namespace posix

NamedMutexFactoryInterface& namedMutexFactory() {
    static posix::PosixNamedMutexFactory instance;
    return instance;
}

}  // namespace platform
