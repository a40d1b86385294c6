#include "common/platform/File.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "common/platform/WideText.h"
#include "common/platform/PathParts.h"
#include "common/platform/StdioOpenFile.h"
#include "common/platform/win32/FileSyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform {
namespace win32 {

namespace {
int seek64(std::FILE* file, int64_t offset, int whence) { return ::_fseeki64(file, offset, whence); }
int64_t tell64(std::FILE* file) { return ::_ftelli64(file); }
}  // namespace

FileSyscalls realFileSyscalls() {
    return FileSyscalls{&::_wfopen,
                        &seek64,
                        &tell64,
                        &std::fread,
                        &std::fwrite,
                        &std::fflush,
                        &std::ferror,
                        &std::fclose,
                        &::CreateFileW,
                        &::GetFileType,
                        &::GetFileInformationByHandle,
                        &::WriteFile,
                        &::FlushFileBuffers,
                        &::CloseHandle,
                        &::MoveFileExW,
                        &::DeleteFileW,
                        &::GetLastError};
}

FileSyscalls& fileSyscalls() {
    static FileSyscalls calls = realFileSyscalls();
    return calls;
}

namespace {

bool fail(OsError& error) { return failWith(fileSyscalls().getLastError(), error); }

// Other opens may read, write, rename and delete, as with the Linux descriptors.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
constexpr size_t kMaxChunk = 1u << 30;

// Whether the path names a regular file (not a folder, a pipe or a device), asked through a
// handle that neither reads nor waits. True also when it does not exist, so that the open
// reports that itself.
bool regularOrMissing(const std::wstring& path, OsError& error) {
    FileSyscalls& calls = fileSyscalls();
    // Backup semantics opens folders too, so that they are told apart instead of failing.
    HANDLE file = calls.createFile(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                   nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD code = calls.getLastError();
        return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND || failWith(code, error);
    }
    BY_HANDLE_FILE_INFORMATION information{};
    const bool disk = calls.getFileType(file) == FILE_TYPE_DISK;
    const bool known = calls.getFileInformationByHandle(file, &information) != 0;
    calls.closeHandle(file);
    if (disk && known && (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return true;
    // A folder: what opening one for reading gives.
    if (disk && known) return failWith(ERROR_ACCESS_DENIED, error);
    error.code = ERROR_BAD_FILE_TYPE;
    error.message = "Not a regular file";
    error.missing = false;
    return false;
}

// The C run time keeps the system's number of its failure in _doserrno.
bool failInRuntime(OsError& error) {
    const DWORD code = _doserrno != 0 ? static_cast<DWORD>(_doserrno) : ERROR_GEN_FAILURE;
    return failWith(code, error);
}

using Stream = StdioOpenFile<FileSyscalls, &fileSyscalls, &failInRuntime>;

}  // namespace
}  // namespace win32

using namespace win32;

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
    HANDLE file;
    std::wstring temporary;
    std::wstring target;
    bool committed = false;
};

ReplacementFile::ReplacementFile(std::unique_ptr<Native> native) : native_(std::move(native)) {}

ReplacementFile::~ReplacementFile() {
    if (native_->file != INVALID_HANDLE_VALUE) fileSyscalls().closeHandle(native_->file);
    if (!native_->committed) fileSyscalls().deleteFile(native_->temporary.c_str());
}

bool ReplacementFile::write(const char* data, std::size_t size, OsError& error) {
    std::size_t done = 0;
    while (done < size) {
        DWORD put = 0;
        const DWORD chunk = static_cast<DWORD>(std::min(size - done, kMaxChunk));
        if (!fileSyscalls().writeFile(native_->file, data + done, chunk, &put, nullptr)) return fail(error);
        if (put == 0) return failWith(ERROR_WRITE_FAULT, error);
        done += put;
    }
    return true;
}

bool ReplacementFile::commit(OsError& error) {
    Native& file = *native_;
    FileSyscalls& calls = fileSyscalls();
    if (!calls.flushFileBuffers(file.file)) return fail(error);
    const HANDLE handle = file.file;
    file.file = INVALID_HANDLE_VALUE;
    if (!calls.closeHandle(handle)) return fail(error);
    // Write-through: the call returns once the new name is on disk.
    const DWORD flags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;
    if (!calls.moveFileEx(file.temporary.c_str(), file.target.c_str(), flags)) return fail(error);
    file.committed = true;
    return true;
}

bool ReplacementFile::replaced() const { return native_->committed; }

// The run time opens with full sharing; names go to the system as UTF-16.
std::unique_ptr<OpenFile> FileSystem::open(const std::string& utf8Path, FileMode mode, OsError& error) {
    const std::wstring path = utf8ToWide(nativePath(utf8Path));
    const bool reading = mode == FileMode::ReadBinary;
    if (reading && !regularOrMissing(path, error)) return nullptr;
    std::FILE* file = fileSyscalls().wfopen(path.c_str(), reading ? L"rb" : L"wb");
    if (file == nullptr) {
        // The run time keeps the system's code for the failed open.
        const DWORD code = ::GetLastError();
        failWith(code != 0 ? code : static_cast<DWORD>(ERROR_OPEN_FAILED), error);
        return nullptr;
    }
    return std::make_unique<OpenFile>(file);
}

// Symbolic links are rare on Windows and need privileges to make: the name itself is replaced.
// The new file takes its access rights from the folder, as every new file there does; nothing
// like a mode is carried over from the one it replaces.
std::unique_ptr<ReplacementFile> FileSystem::replace(const std::string& utf8Path, OsError& error) {
    const std::string target = nativePath(utf8Path);
    const std::wstring wideTarget = utf8ToWide(target);
    if (!regularOrMissing(wideTarget, error)) return nullptr;
    FileSyscalls& calls = fileSyscalls();
    for (unsigned attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temporary = utf8ToWide(temporarySiblingOf(target, '\\'));
        HANDLE file = calls.createFile(temporary.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_NEW,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            const DWORD code = calls.getLastError();
            if (code == ERROR_FILE_EXISTS || code == ERROR_ALREADY_EXISTS) continue;
            failWith(code, error);
            return nullptr;
        }
        return std::make_unique<ReplacementFile>(
            std::make_unique<ReplacementFile::Native>(ReplacementFile::Native{file, temporary, wideTarget}));
    }
    failWith(ERROR_FILE_EXISTS, error);
    return nullptr;
}

std::string nativePath(const std::string& utf8Path) {
    std::string path = utf8Path;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

FileSystem& fileSystem() {
    static FileSystem instance;
    return instance;
}

}  // namespace platform
