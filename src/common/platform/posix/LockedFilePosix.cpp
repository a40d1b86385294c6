// Lockable files on POSIX: open file description (OFD) locks, which belong to one open of the
// file rather than to the process, so two opens in the same process exclude each other too.
#include <cerrno>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

#include "common/platform/File.h"
#include "common/platform/LockedFile.h"
#include "common/platform/posix/FileLockSyscalls.h"
#include "common/platform/posix/OsErrorPosix.h"
#include "common/platform/posix/Syscalls.h"

namespace platform::posix {
namespace {

int lockFile(int fd, int command, struct flock* range) { return ::fcntl(fd, command, range); }

}  // namespace

FileLockSyscalls realFileLockSyscalls() {
    return FileLockSyscalls{&openRetryingOnInterrupt, &::close, &lockFile, &::read, &::write,
                            &::lseek,  &::ftruncate, &::fsync, &::nanosleep, &::unlink};
}

FileLockSyscalls& fileLockSyscalls() {
    static FileLockSyscalls table = realFileLockSyscalls();
    return table;
}

namespace {

const FileLockSyscalls& sys() { return fileLockSyscalls(); }

class LockedFilePosix final : public LockedFileInterface {
public:
    explicit LockedFilePosix(int fd) : fd_(fd) {}
    LockedFilePosix(const LockedFilePosix&) = delete;
    LockedFilePosix& operator=(const LockedFilePosix&) = delete;
    ~LockedFilePosix() override { sys().close(fd_); }  // also drops the lock

    LockAttempt tryLock(LockKind kind, OsError& error) override {
        if (setLock(kind == LockKind::kShared ? F_RDLCK : F_WRLCK, error)) return LockAttempt::kLocked;
        // Both numbers mean "held by another open" for a lock that does not wait.
        return error.code == EAGAIN || error.code == EACCES ? LockAttempt::kHeldElsewhere : LockAttempt::kFailed;
    }
    bool unlock(OsError& error) override { return setLock(F_UNLCK, error); }

    bool rewind(OsError& error) override {
        return sys().lseek(fd_, 0, SEEK_SET) == 0 || fail(error);
    }

    bool read(char* buffer, size_t size, size_t& count, OsError& error) override {
        count = 0;
        while (count < size) {
            const ssize_t got = sys().read(fd_, buffer + count, size - count);
            if (got == 0) break;
            if (got < 0) {
                if (errno == EINTR) continue;
                return fail(error);
            }
            count += static_cast<size_t>(got);
        }
        return true;
    }

    bool write(const char* data, size_t size, OsError& error) override {
        if (!writeFully(sys().write, fd_, data, size)) return fail(error);
        return true;
    }

    // Writes are unbuffered here.
    bool flush(OsError&) override { return true; }

    bool truncate(uint64_t length, OsError& error) override {
        if (length > static_cast<uint64_t>(INT64_MAX)) {
            errno = EFBIG;
            return fail(error);
        }
        return sys().ftruncate(fd_, static_cast<off_t>(length)) == 0 || fail(error);
    }

    bool commit(OsError& error) override { return sys().fsync(fd_) == 0 || fail(error); }

private:
    bool setLock(short type, OsError& error) {
        struct flock range {};
        range.l_type = type;
        range.l_whence = SEEK_SET;
        range.l_start = 0;
        range.l_len = 0;  // to the end of the file, however far it grows
        range.l_pid = 0;  // required for OFD locks
        while (sys().lock(fd_, F_OFD_SETLK, &range) != 0) {
            if (errno != EINTR) return fail(error);
        }
        return true;
    }

    int fd_;
};

class LockedFileSystemPosix final : public LockedFileSystemInterface {
public:
    std::unique_ptr<LockedFileInterface> openExisting(const std::string& path, OsError& error,
                                                      FileAccess access) override {
        const int mode = access == FileAccess::kReadOnly ? O_RDONLY : O_RDWR;
        int fd;
        do {
            // Non-blocking, so that a FIFO in the file's place cannot hang the open.
            fd = sys().open(nativePath(path).c_str(), mode | O_CLOEXEC | O_NONBLOCK, 0);
        } while (fd < 0 && errno == EINTR);
        if (fd < 0) {
            fail(error);
            return nullptr;
        }
        struct stat status {};
        if (::fstat(fd, &status) != 0) {
            fail(error);
            sys().close(fd);
            return nullptr;
        }
        if (!S_ISREG(status.st_mode)) {
            refuseNonRegular(status, error);
            sys().close(fd);
            return nullptr;
        }
        return std::make_unique<LockedFilePosix>(fd);
    }

    bool createNew(const std::string& path, OsError& error) override {
        const int fd = sys().open(nativePath(path).c_str(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) return fail(error);
        // Every user who may write in the folder may write the file: the umask would otherwise
        // leave a shared file that only its creator can commit to.
        ::fchmod(fd, 0666);
        sys().close(fd);
        return true;
    }

    bool remove(const std::string& path, OsError& error) override {
        return sys().unlink(nativePath(path).c_str()) == 0 || errno == ENOENT || fail(error);
    }

    bool syncFolder(const std::string& path, OsError& error) override {
        return syncFolderOf(nativePath(path), FolderSyncCalls{sys().open, sys().fsync, sys().close}) || fail(error);
    }

    void sleepMilliseconds(uint32_t milliseconds) override {
        struct timespec duration {};
        duration.tv_sec = static_cast<time_t>(milliseconds / 1000);
        duration.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
        while (sys().nanosleep(&duration, &duration) != 0 && errno == EINTR) {
        }
    }
};

}  // namespace
}  // namespace platform::posix

namespace platform {

LockedFileSystemInterface& lockedFileSystem() {
    static posix::LockedFileSystemPosix system;
    return system;
}

}  // namespace platform
