#include "quorrel/debugconfig/LockableFile.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>

#include "common/orverr/Codes.h"
#include "common/orverr/Raise.h"
#include "common/platform/Environment.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/FileStatus.h"
#include "quorrel/debugconfig/SettingsTrace.h"
#include "quorrel/messages/Messages.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;
namespace msg = quorrel::messages;
using orverr::codes::kPlatformEndOfData;
using orverr::codes::kPlatformOperationTimedOut;
using orverr::codes::kPlatformOSFault;
using orverr::codes::kPlatformResourceNotFound;

namespace {

thread_local const std::atomic<bool>* waitsEndWhen = nullptr;

bool waitEnded() { return waitsEndWhen != nullptr && waitsEndWhen->load(); }

}  // namespace

void LockableFile::endWaitsOfThisThreadWhen(const std::atomic<bool>* stop) { waitsEndWhen = stop; }

LockableFile::LockableFile(platform::LockedFileSystemInterface& system, uint32_t timeoutMilliseconds)
    : system_(system), timeoutMilliseconds_(timeoutMilliseconds) {}

uint32_t LockableFile::lockTimeoutMilliseconds() {
    const std::optional<std::string> text = platform::environment().variable(names::kLockTimeoutVariable);
    if (!text || text->empty() || text->size() > 9 || text->find_first_not_of("0123456789") != std::string::npos) {
        return names::kLockTimeoutMilliseconds;
    }
    return static_cast<uint32_t>(std::strtoul(text->c_str(), nullptr, 10));
}

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
    writeRefusal_.reset();
    platform::OsError error;
    file_ = system_.openExisting(path_, error);
    if (!file_ && !error.missing) openReadOnly(error);
    for (int attempt = 0; !file_ && attempt < names::kOpenAttempts; ++attempt) {
        file_ = tryOpen(create, error);
        if (!file_) system_.sleepMilliseconds(names::kOpenRetryMilliseconds);
    }
    if (!file_) QUORREL_RAISE_FILE_ERROR(kPlatformResourceNotFound, names::kOpenFailed, path_, &error);
}

void LockableFile::openReadOnly(const platform::OsError& reason) {
    platform::OsError ignored;
    file_ = system_.openExisting(path_, ignored, platform::FileAccess::kReadOnly);
    if (file_) writeRefusal_ = reason;
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
    waitForLock(file);
    try {
        // A reader cannot roll back: the saved content stands for the file's until a writer does.
        if (isReadOnly()) {
            journalContent_ = journal_->saved();
        } else {
            rollBack();
        }
    } catch (...) {
        platform::OsError ignored;
        file.unlock(ignored);
        throw;
    }
    owner_ = std::this_thread::get_id();
    depth_ = 1;
    section.release();  // held until unlock
}

void LockableFile::waitForLock(platform::LockedFileInterface& file) {
    using Clock = std::chrono::steady_clock;
    const platform::LockKind kind = isReadOnly() ? platform::LockKind::kShared : platform::LockKind::kExclusive;
    const Clock::time_point start = Clock::now();
    const Clock::time_point deadline = start + std::chrono::milliseconds(timeoutMilliseconds_);
    uint32_t pause = names::kLockPollFirstMilliseconds;
    platform::OsError error;
    for (;;) {
        const platform::LockAttempt attempt = file.tryLock(kind, error);
        if (attempt == platform::LockAttempt::kLocked) break;
        if (attempt == platform::LockAttempt::kFailed) {
            QUORREL_RAISE_FILE_ERROR(kPlatformOSFault, names::kLockFailed, path_, &error);
        }
        if (Clock::now() >= deadline || waitEnded()) {
            ORVERR_THROW(kPlatformOperationTimedOut)
                .comment(names::kLockHeldElsewhere)
                .usage(names::kUsageTypeFilePath, path_)
                .usageUInt32(msg::kUsageTypeRequestedTimeout, timeoutMilliseconds_)
                .raise();
        }
        system_.sleepMilliseconds(pause);
        pause = std::min(pause * 2, names::kLockPollMaxMilliseconds);
    }
    const auto waited = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
    if (waited >= names::kLockSlowWaitMilliseconds) {
        traceDebugSettings(path_ + ": " + names::kLockSlowWait + " " + std::to_string(waited) + " ms", __FILE__,
                           __LINE__);
    }
}

void LockableFile::unlock() {
    // A thread that does not hold the lock has nothing to release, and must not wait for it.
    if (!ownedByThisThread()) return;
    std::unique_lock<std::recursive_mutex> section(section_, std::adopt_lock);
    if (--depth_ > 0) return;
    owner_ = std::thread::id();
    journalContent_.reset();
    platform::OsError error;
    if (file_ && !file_->unlock(error)) QUORREL_RAISE_FILE_ERROR(kPlatformOSFault, names::kUnlockFailed, path_, &error);
}

std::string LockableFile::read() {
    platform::LockedFileInterface& file = openFile();
    if (journalContent_) return *journalContent_;
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
    if (writeRefusal_) QUORREL_RAISE_FILE_ERROR(kPlatformEndOfData, names::kReadOnly, path_, &*writeRefusal_);
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
    journalContent_.reset();
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
