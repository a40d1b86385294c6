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

LockableFile::~LockableFile() { close(); }

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
    journal_ = std::make_unique<RollbackJournal>(system_, path_);
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
    if (depth_.load() > 0) {
        // Only the holder gets past the critical section while the lock is held.
        ++depth_;
        section.release();
        return;
    }
    platform::OsError error;
    if (!file.lockExclusive(error)) QUORREL_RAISE_FILE_ERROR(kPlatformOSFault, names::kLockFailed, path_, &error);
    try {
        rollBack();
    } catch (...) {
        file.unlock(error);
        throw;
    }
    owner_ = std::this_thread::get_id();
    depth_ = 1;
    section.release();  // held until unlock
}

void LockableFile::unlock() {
    // A thread that does not hold the lock has nothing to release, and must not wait for it.
    if (!ownedByThisThread()) return;
    std::unique_lock<std::recursive_mutex> section(section_, std::adopt_lock);
    if (--depth_ > 0) return;
    owner_ = std::thread::id();
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

void LockableFile::rollBack() {
    const std::optional<std::string> saved = journal_->pending();
    if (!saved) return;
    platform::OsError error;
    if (rewrite(*saved, error) != nullptr) {
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kRollbackFailed, path_, &error);
    }
    journal_->end();
}

const char* LockableFile::rewrite(const std::string& text, platform::OsError& error) {
    platform::LockedFileInterface& file = openFile();
    if (!file.rewind(error) || !file.write(text.data(), text.size(), error)) return names::kWriteFailed;
    // Truncate after writing: a shorter text must leave no stale bytes behind it.
    if (!file.flush(error) || !file.truncate(text.size(), error) || !file.commit(error)) return names::kFlushFailed;
    return nullptr;
}

void LockableFile::restore(const std::string& old) noexcept {
    try {
        platform::OsError ignored;
        if (rewrite(old, ignored) == nullptr) journal_->end();
    } catch (...) {
        // The journal stays; the next lock rolls the file back.
    }
}

// The file is rewritten in place, so that its lock and its identity stay; the journal makes the
// rewrite all or nothing.
void LockableFile::write(const std::string& text) {
    openFile();
    const std::string old = read();
    journal_->begin(old);
    platform::OsError error;
    if (const char* failed = rewrite(text, error)) {
        restore(old);
        QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, failed, path_, &error);
    }
    try {
        journal_->end();
    } catch (...) {
        // A journal left behind would undo this rewrite at the next lock: undo it now instead.
        restore(old);
        throw;
    }
}

void LockableFile::close() {
    // Closing drops the OS lock; the critical section must be left too.
    if (ownedByThisThread()) {
        file_.reset();
        owner_ = std::thread::id();
        for (int depth = depth_.exchange(0); depth > 0; --depth) section_.unlock();
        return;
    }
    file_.reset();
}

}  // namespace nORVMISysAPICommon100
