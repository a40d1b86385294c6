#pragma once
// A file opened in binary mode whose whole content can be locked, shared or exclusively. An
// exclusive lock excludes every other open's lock, in other processes and in this one.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

enum class LockKind { kShared, kExclusive };
enum class LockAttempt { kLocked, kHeldElsewhere, kFailed };
enum class FileAccess { kReadWrite, kReadOnly };

class LockedFileInterface {
public:
    virtual ~LockedFileInterface() = default;

    // Never waits: kHeldElsewhere while another open holds a lock that excludes this one, so
    // that the caller decides how long to wait. A shared lock needs only read access.
    virtual LockAttempt tryLock(LockKind kind, OsError& error) = 0;
    virtual bool unlock(OsError& error) = 0;
    virtual bool rewind(OsError& error) = 0;
    // Reads up to size bytes from the current position; count < size only at the end of the file.
    virtual bool read(char* buffer, size_t size, size_t& count, OsError& error) = 0;
    // Writes all bytes at the current position.
    virtual bool write(const char* data, size_t size, OsError& error) = 0;
    virtual bool flush(OsError& error) = 0;
    virtual bool truncate(uint64_t length, OsError& error) = 0;
    // Makes the content durable on disk.
    virtual bool commit(OsError& error) = 0;
};

class LockedFileSystemInterface {
public:
    virtual ~LockedFileSystemInterface() = default;

    // Opens an existing file; null (with error) when it cannot.
    virtual std::unique_ptr<LockedFileInterface> openExisting(const std::string& path, OsError& error,
                                                              FileAccess access = FileAccess::kReadWrite) = 0;
    // Creates the file only when it does not exist yet; false when it exists or cannot be created.
    virtual bool createNew(const std::string& path, OsError& error) = 0;
    virtual void sleepMilliseconds(uint32_t milliseconds) = 0;
    // Deletes the file; true also when it did not exist.
    virtual bool remove(const std::string& path, OsError& error) = 0;
    // Makes the creation or deletion of names in the folder holding path durable.
    virtual bool syncFolder(const std::string& path, OsError& error) = 0;
};

// The operating system's implementation.
LockedFileSystemInterface& lockedFileSystem();

}  // namespace platform
