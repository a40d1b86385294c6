#include "quorrel/debugconfig/LockableFile.h"

#include "common/orverr/Codes.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/FileStatus.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;
using orverr::codes::kPlatformEndOfData;
using orverr::codes::kPlatformOSFault;
using orverr::codes::kPlatformResourceNotFound;

LockableFile::LockableFile(platform::LockedFileSystemInterface& system) : system_(system) {}

LockableFile::~LockableFile() {
    try {
        if (locked_) unlock();
    } catch (...) {
        // A destructor cannot report; closing below drops the lock anyway.
    }
    close();
}

std::unique_ptr<platform::LockedFileInterface> LockableFile::tryOpen(bool create, platform::OsError& error) {
    if (create) {
        // Another process may create it between our check and this call; that is fine.
        platform::OsError ignored;
        system_.createNew(path_, ignored);
    }
    return system_.openExisting(path_, error);
}

void LockableFile::open(const std::string& path, bool create) {
    close();
    path_ = path;
    platform::OsError error;
    file_ = system_.openExisting(path_, error);
    for (int attempt = 0; !file_ && attempt < names::kOpenAttempts; ++attempt) {
        file_ = tryOpen(create, error);
        if (!file_) system_.sleepMilliseconds(names::kOpenRetryMilliseconds);
    }
    if (!file_) QUORREL_RAISE_FILE_ERROR(kPlatformResourceNotFound, names::kOpenFailed, path_, &error);
}

platform::LockedFileInterface& LockableFile::openFile() {
    if (!file_) QUORREL_RAISE_FILE_ERROR(kPlatformResourceNotFound, names::kNotOpen, path_, nullptr);
    return *file_;
}

void LockableFile::lock() {
    platform::LockedFileInterface& file = openFile();
    std::unique_lock<std::recursive_mutex> section(section_);
    platform::OsError error;
    if (!file.lockExclusive(error)) QUORREL_RAISE_FILE_ERROR(kPlatformOSFault, names::kLockFailed, path_, &error);
    section.release();  // held until unlock
    locked_ = true;
}

void LockableFile::unlock() {
    if (!locked_) return;
    locked_ = false;
    std::unique_lock<std::recursive_mutex> section(section_, std::adopt_lock);
    platform::OsError error;
    if (file_ && !file_->unlock(error)) QUORREL_RAISE_FILE_ERROR(kPlatformOSFault, names::kUnlockFailed, path_, &error);
}

std::string LockableFile::read() {
    platform::LockedFileInterface& file = openFile();
    platform::OsError error;
    if (!file.rewind(error)) QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kReadFailed, path_, &error);
    std::string text;
    char chunk[names::kReadChunk];
    size_t count = 0;
    do {
        if (!file.read(chunk, sizeof chunk, count, error)) {
            QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kReadFailed, path_, &error);
        }
        text.append(chunk, count);
    } while (count == sizeof chunk);
    return text;
}

void LockableFile::write(const std::string& text) {
    platform::LockedFileInterface& file = openFile();
    platform::OsError error;
    if (!file.rewind(error) || !file.write(text.data(), text.size(), error)) {
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kWriteFailed, path_, &error);
    }
    // Truncate after writing: a shorter text must leave no stale bytes behind it.
    if (!file.flush(error) || !file.truncate(text.size(), error) || !file.commit(error)) {
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kFlushFailed, path_, &error);
    }
}

void LockableFile::close() {
    if (locked_) {
        // Closing drops the OS lock; the critical section must be left too.
        locked_ = false;
        file_.reset();
        section_.unlock();
        return;
    }
    file_.reset();
}

}  // namespace nORVMISysAPICommon100
