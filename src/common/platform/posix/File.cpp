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

using Stream = StdioOpenFile<FileSyscalls, &fileSyscalls, &fail>;

// Gives the file exactly mode, which the umask may have narrowed at its creation.
bool takeMode(int fd, mode_t mode, OsError& error) {
    struct stat status {};
    FileSyscalls& calls = fileSyscalls();
    if (calls.fstat(fd, &status) != 0) return fail(error);
    if ((status.st_mode & 07777) == mode) return true;
    return calls.fchmod(fd, mode) == 0 || fail(error);
}

}  // namespace
}  // namespace posix

using namespace posix;

OpenFile::~OpenFile() { Stream::close(file_); }
bool OpenFile::size(int64_t& bytes, OsError& error) { return Stream::size(file_, bytes, error); }
bool OpenFile::read(char* buffer, std::size_t size, std::size_t& count, OsError& error) {
    return Stream::read(file_, buffer, size, count, error);
}
bool OpenFile::write(const char* data, std::size_t size, OsError& error) {
    return Stream::write(file_, data, size, error);
}
bool OpenFile::flush(OsError& error) { return Stream::flush(file_, error); }

struct ReplacementFile::Native {
    int fd;
    std::string temporary;
    std::string target;
    bool committed = false;
};

ReplacementFile::ReplacementFile(std::unique_ptr<Native> native) : native_(std::move(native)) {}

ReplacementFile::~ReplacementFile() {
    if (native_->fd >= 0) fileSyscalls().close(native_->fd);
    if (!native_->committed) fileSyscalls().unlink(native_->temporary.c_str());
}

bool ReplacementFile::write(const char* data, std::size_t size, OsError& error) {
    if (!writeFully(fileSyscalls().write, native_->fd, data, size)) return fail(error);
    return true;
}

bool ReplacementFile::commit(OsError& error) {
    Native& file = *native_;
    FileSyscalls& calls = fileSyscalls();
    if (calls.fsync(file.fd) != 0) return fail(error);
    const int fd = file.fd;
    file.fd = -1;
    if (calls.close(fd) != 0) return fail(error);
    if (calls.rename(file.temporary.c_str(), file.target.c_str()) != 0) return fail(error);
    file.committed = true;
    // The new content is in place, but until the folder is synced a crash can bring the old one
    // back: the caller is told.
    return syncFolderOf(file.target, FolderSyncCalls{calls.open, calls.fsync, calls.close}) || fail(error);
}

bool ReplacementFile::replaced() const { return native_->committed; }

std::unique_ptr<OpenFile> FileSystem::open(const std::string& utf8Path, FileMode mode, OsError& error) {
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
    return std::make_unique<OpenFile>(file);
}

std::unique_ptr<ReplacementFile> FileSystem::replace(const std::string& utf8Path, OsError& error) {
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
        auto file = std::make_unique<ReplacementFile>(
            std::make_unique<ReplacementFile::Native>(ReplacementFile::Native{fd, temporary, target}));
        // On a refusal the file's end closes and removes the temporary file.
        if (exists && !takeMode(fd, mode, error)) return nullptr;
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
