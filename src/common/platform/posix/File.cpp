#include "common/platform/File.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

#include "common/platform/PathParts.h"
#include "common/platform/StdioOpenFile.h"
#include "common/platform/posix/FileSyscalls.h"
#include "common/platform/posix/OsErrorPosix.h"
#include "common/platform/posix/Syscalls.h"

namespace platform {
namespace posix {

FileSyscalls realFileSyscalls() {
    return FileSyscalls{&::fdopen, &::fseeko, &::ftello, &std::fread, &std::fwrite, &std::fflush, &std::ferror, &std::fclose,
                        &openRetryingOnInterrupt, &::write,  &::fsync,  &::close,    &::rename,    &::unlink,    &::lstat,      &::fstat,
                        &::fchmod};
}

FileSyscalls& fileSyscalls() {
    static FileSyscalls calls = realFileSyscalls();
    return calls;
}

namespace {

// The file a path leads to, following symbolic links, so that replacing it keeps the links.
bool followLinks(std::string& path, OsError& error) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat status {};
        if (fileSyscalls().lstat(path.c_str(), &status) != 0) return errno == ENOENT || fail(error);
        if (!S_ISLNK(status.st_mode)) return S_ISREG(status.st_mode) || refuseNonRegular(status, error);
        char target[4096];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target);
        if (length < 0) return fail(error);
        if (static_cast<size_t>(length) == sizeof target) {
            errno = ENAMETOOLONG;
            return fail(error);
        }
        const std::string link(target, static_cast<size_t>(length));
        path = link.front() == '/' ? link : folderOf(path) + "/" + link;
    }
    errno = ELOOP;
    return fail(error);
}

using PosixOpenFile = StdioOpenFile<FileSyscalls, &fileSyscalls, &fail>;

class PosixReplacementFile : public ReplacementFileInterface {
public:
    PosixReplacementFile(int fd, std::string temporary, std::string target)
        : fd_(fd), temporary_(std::move(temporary)), target_(std::move(target)) {}
    PosixReplacementFile(const PosixReplacementFile&) = delete;
    PosixReplacementFile& operator=(const PosixReplacementFile&) = delete;
    ~PosixReplacementFile() override {
        if (fd_ >= 0) fileSyscalls().close(fd_);
        if (!committed_) fileSyscalls().unlink(temporary_.c_str());
    }

    bool write(const char* data, std::size_t size, OsError& error) override {
        if (!writeFully(fileSyscalls().write, fd_, data, size)) return fail(error);
        return true;
    }

    // Gives the file exactly mode, which the umask may have narrowed at its creation.
    bool takeMode(mode_t mode, OsError& error) {
        struct stat status {};
        FileSyscalls& calls = fileSyscalls();
        if (calls.fstat(fd_, &status) != 0) return fail(error);
        if ((status.st_mode & 07777) == mode) return true;
        return calls.fchmod(fd_, mode) == 0 || fail(error);
    }

    bool commit(OsError& error) override {
        FileSyscalls& calls = fileSyscalls();
        if (calls.fsync(fd_) != 0) return fail(error);
        const int fd = fd_;
        fd_ = -1;
        if (calls.close(fd) != 0) return fail(error);
        if (calls.rename(temporary_.c_str(), target_.c_str()) != 0) return fail(error);
        committed_ = true;
        // The new content is in place, but until the folder is synced a crash can bring the old one
        // back: the caller is told.
        return syncFolderOf(target_, FolderSyncCalls{calls.open, calls.fsync, calls.close}) || fail(error);
    }

    bool replaced() const override { return committed_; }

private:
    int fd_;
    std::string temporary_;
    std::string target_;
    bool committed_ = false;
};

}  // namespace
}  // namespace posix

using namespace posix;

std::unique_ptr<OpenFileInterface> FileSystem::open(const std::string& utf8Path, FileMode mode, OsError& error) {
    // File names are bytes here, so a UTF-8 name needs no conversion.
    const std::string path = nativePath(utf8Path);
    FileSyscalls& calls = fileSyscalls();
    const bool reading = mode == FileMode::ReadBinary;
    // Non-blocking, so that a FIFO cannot hang the open before it is refused.
    const int flags = reading ? O_RDONLY | O_NONBLOCK | O_CLOEXEC : O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC;
    const int fd = calls.open(path.c_str(), flags, 0666);
    if (fd < 0) {
        fail(error);
        return nullptr;
    }
    if (reading) {
        struct stat status {};
        if (calls.fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
            if (status.st_mode == 0) fail(error);
            else refuseNonRegular(status, error);
            calls.close(fd);
            return nullptr;
        }
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    }
    std::FILE* file = calls.fdopen(fd, reading ? "rb" : "wb");
    if (file == nullptr) {
        fail(error);
        calls.close(fd);
        return nullptr;
    }
    return std::make_unique<PosixOpenFile>(file);
}

std::unique_ptr<ReplacementFileInterface> FileSystem::replace(const std::string& utf8Path, OsError& error) {
    std::string target = nativePath(utf8Path);
    if (!followLinks(target, error)) return nullptr;
    FileSyscalls& calls = fileSyscalls();
    // The new content keeps the permissions of the file it replaces. The temporary file is made
    // with them, so that it is never more open than the target, even for a moment; the
    // process's umask may take bits away, which the mode change then gives back.
    struct stat existing {};
    const bool exists = calls.lstat(target.c_str(), &existing) == 0;
    const mode_t mode = exists ? existing.st_mode & 07777 : 0666;
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::string temporary = temporarySiblingOf(target, '/');
        const int fd = calls.open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 0777);
        if (fd < 0) {
            if (errno == EEXIST || errno == EINTR) continue;
            fail(error);
            return nullptr;
        }
        auto file = std::make_unique<PosixReplacementFile>(fd, temporary, target);
        if (exists && !file->takeMode(mode, error)) return nullptr;
        return file;
    }
    errno = EEXIST;
    fail(error);
    return nullptr;
}

std::string nativePath(const std::string& utf8Path) {
    std::string path = utf8Path;
    std::replace(path.begin(), path.end(), '\\', '/');
    return path;
}

FileSystem& fileSystem() {
    static FileSystem instance;
    return instance;
}

}  // namespace platform
