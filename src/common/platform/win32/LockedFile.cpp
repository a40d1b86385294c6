// Lockable files on Windows: LockFileEx over the whole range. The lock belongs to the handle, so
// two opens in the same process exclude each other as on Linux. Unlike the advisory Linux locks,
// a Windows lock is mandatory: while one open holds it, reads and writes through every other open
// fail with ERROR_LOCK_VIOLATION instead of going through.
#include <algorithm>
#include <cstdint>

#include "common/platform/LockedFile.h"
#include "common/platform/WideText.h"
#include "common/platform/win32/FileLockSyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform::win32 {

FileLockSyscalls realFileLockSyscalls() {
    return FileLockSyscalls{&::CreateFileW, &::CloseHandle, &::LockFileEx,        &::UnlockFileEx,
                            &::ReadFile,    &::WriteFile,   &::SetFilePointerEx,  &::SetEndOfFile,
                            &::FlushFileBuffers, &::Sleep,  &::GetLastError,
                            &::GetFileType, &::DeleteFileW};
}

FileLockSyscalls& fileLockSyscalls() {
    static FileLockSyscalls table = realFileLockSyscalls();
    return table;
}

namespace {

const FileLockSyscalls& sys() { return fileLockSyscalls(); }

bool fail(OsError& error) { return failWith(sys().getLastError(), error); }

// Other opens may read, write, rename and delete, as with the Linux descriptors.
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;
// Chunks that fit a DWORD count.
constexpr size_t kMaxChunk = 1u << 30;

class LockedFileWin32 final : public LockedFileInterface {
public:
    explicit LockedFileWin32(HANDLE file) : file_(file) {}
    LockedFileWin32(const LockedFileWin32&) = delete;
    LockedFileWin32& operator=(const LockedFileWin32&) = delete;
    ~LockedFileWin32() override { sys().closeHandle(file_); }  // also drops the lock

    // The whole possible range, from offset 0, however far the file grows.
    LockAttempt tryLock(LockKind kind, OsError& error) override {
        OVERLAPPED at{};
        const DWORD flags = LOCKFILE_FAIL_IMMEDIATELY | (kind == LockKind::kExclusive ? LOCKFILE_EXCLUSIVE_LOCK : 0);
        if (sys().lockFileEx(file_, flags, 0, MAXDWORD, MAXDWORD, &at)) return LockAttempt::kLocked;
        fail(error);
        return error.code == ERROR_LOCK_VIOLATION ? LockAttempt::kHeldElsewhere : LockAttempt::kFailed;
    }

    bool unlock(OsError& error) override {
        OVERLAPPED at{};
        return sys().unlockFileEx(file_, 0, MAXDWORD, MAXDWORD, &at) || fail(error);
    }

    bool rewind(OsError& error) override { return seek(0, FILE_BEGIN, nullptr) || fail(error); }

    bool read(char* buffer, size_t size, size_t& count, OsError& error) override {
        count = 0;
        while (count < size) {
            DWORD got = 0;
            const DWORD chunk = static_cast<DWORD>(std::min(size - count, kMaxChunk));
            if (!sys().readFile(file_, buffer + count, chunk, &got, nullptr)) return fail(error);
            if (got == 0) break;
            count += got;
        }
        return true;
    }

    bool write(const char* data, size_t size, OsError& error) override {
        size_t done = 0;
        while (done < size) {
            DWORD put = 0;
            const DWORD chunk = static_cast<DWORD>(std::min(size - done, kMaxChunk));
            if (!sys().writeFile(file_, data + done, chunk, &put, nullptr)) return fail(error);
            if (put == 0) return failWith(ERROR_WRITE_FAULT, error);
            done += put;
        }
        return true;
    }

    // Writes are unbuffered here.
    bool flush(OsError&) override { return true; }

    // Leaves the position where it was, as ftruncate does.
    bool truncate(uint64_t length, OsError& error) override {
        if (length > static_cast<uint64_t>(INT64_MAX)) return failWith(ERROR_INVALID_PARAMETER, error);
        LARGE_INTEGER position{};
        if (!seek(0, FILE_CURRENT, &position)) return fail(error);
        if (!seek(static_cast<int64_t>(length), FILE_BEGIN, nullptr) || !sys().setEndOfFile(file_)) {
            fail(error);
            seek(position.QuadPart, FILE_BEGIN, nullptr);
            return false;
        }
        return seek(position.QuadPart, FILE_BEGIN, nullptr) || fail(error);
    }

    bool commit(OsError& error) override { return sys().flushFileBuffers(file_) || fail(error); }

private:
    bool seek(int64_t offset, DWORD method, LARGE_INTEGER* position) {
        LARGE_INTEGER distance{};
        distance.QuadPart = offset;
        return sys().setFilePointerEx(file_, distance, position, method) != 0;
    }

    HANDLE file_;
};

class LockedFileSystemWin32 final : public LockedFileSystemInterface {
public:
    std::unique_ptr<LockedFileInterface> openExisting(const std::string& path, OsError& error,
                                                      FileAccess access) override {
        const DWORD rights = access == FileAccess::kReadOnly ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
        // Without backup semantics a folder fails to open; a pipe or device opens and is refused.
        HANDLE file = sys().createFile(utf8ToWide(path).c_str(), rights, kShareAll, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            fail(error);
            return nullptr;
        }
        if (sys().getFileType(file) != FILE_TYPE_DISK) {
            sys().closeHandle(file);
            error.code = ERROR_BAD_FILE_TYPE;
            error.message = "Not a regular file";
            error.missing = false;
            return nullptr;
        }
        return std::make_unique<LockedFileWin32>(file);
    }

    bool createNew(const std::string& path, OsError& error) override {
        HANDLE file = sys().createFile(utf8ToWide(path).c_str(), GENERIC_READ | GENERIC_WRITE, kShareAll, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return fail(error);
        sys().closeHandle(file);
        return true;
    }

    void sleepMilliseconds(uint32_t milliseconds) override { sys().sleep(milliseconds); }

    bool remove(const std::string& path, OsError& error) override {
        if (sys().deleteFile(utf8ToWide(path).c_str())) return true;
        const DWORD code = sys().getLastError();
        return code == ERROR_FILE_NOT_FOUND || failWith(code, error);
    }

    // Windows cannot flush a folder: NTFS journals its name changes itself, so a created or
    // deleted name is already as durable as the file system makes it.
    bool syncFolder(const std::string&, OsError&) override { return true; }
};

}  // namespace
}  // namespace platform::win32

namespace platform {

LockedFileSystemInterface& lockedFileSystem() {
    static win32::LockedFileSystemWin32 system;
    return system;
}

}  // namespace platform
