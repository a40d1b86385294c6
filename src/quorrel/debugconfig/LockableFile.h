#pragma once
// A file shared by every process on the machine: opened with retries, serialised by a critical
// section inside the object and an exclusive operating-system lock across objects and processes.
#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/RollbackJournal.h"

namespace nORVMISysAPICommon100 {

class LockableFile final {
public:
    // The lock is waited for at most timeoutMilliseconds (default: the environment's setting).
    explicit LockableFile(platform::LockedFileSystemInterface& system = platform::lockedFileSystem(),
                          uint32_t timeoutMilliseconds = lockTimeoutMilliseconds());
    LockableFile(const LockableFile&) = delete;
    LockableFile& operator=(const LockableFile&) = delete;
    // Unlocks and closes on every path.
    ~LockableFile();

    // Opens the file for reading and writing; with create, a missing file is created first.
    void open(const std::string& path, bool create);
    // Critical section first, then the whole-file lock; blocks until both are held.
    void lock();
    // Reverse order of lock.
    void unlock();
    bool isLocked() const { return depth_.load() > 0; }
    // The whole content.
    std::string read();
    // Replaces the whole content (the file ends after text) and commits it to disk.
    void write(const std::string& text);
    void close();
    // Opened for reading only, because writing was refused: the lock is a shared one, writes
    // are refused with the reason.
    bool isReadOnly() const { return writeRefusal_.has_value(); }

    // The bound of every wait for the lock: ORV_QUORREL_LOCK_TIMEOUT_MS, else 10 s.
    static uint32_t lockTimeoutMilliseconds();
    // From now on the calling thread's waits for the lock also end, as timed out, once stop is
    // set (null: no more): a thread being stopped must not make its stopper wait the bound.
    static void endWaitsOfThisThreadWhen(const std::atomic<bool>* stop);

private:
    std::unique_ptr<platform::LockedFileInterface> tryOpen(bool create, platform::OsError& error);
    platform::LockedFileInterface& openFile();
    // After an open for writing failed with reason: the file for reading, when that works.
    void openReadOnly(const platform::OsError& reason);
    // Polls for the OS lock until it is held or the bound has passed.
    void waitForLock(platform::LockedFileInterface& file);
    bool ownedByThisThread() const { return depth_.load() > 0 && owner_.load() == std::this_thread::get_id(); }
    // Puts back the content saved by an interrupted rewrite.
    void rollBack();
    // Replaces the whole content and makes it durable; the failed step's message, or null.
    const char* rewrite(const std::string& text, platform::OsError& error);
    // After a failed rewrite: the old content back, and the journal gone once that is durable.
    void restore(const std::string& old) noexcept;

    platform::LockedFileSystemInterface& system_;
    std::unique_ptr<platform::LockedFileInterface> file_;
    std::unique_ptr<RollbackJournal> journal_;
    // A thread may lock again while it holds the lock; only the outermost unlock lets go.
    std::atomic<int> depth_{0};
    std::atomic<std::thread::id> owner_{};
    std::recursive_mutex section_;
    std::string path_;
    uint32_t timeoutMilliseconds_;
    // Why the file could not be opened for writing, when it is open for reading only.
    std::optional<platform::OsError> writeRefusal_;
    // Read-only: the content an interrupted rewrite saved, which stands for the file's.
    std::optional<std::string> journalContent_;
};

}  // namespace nORVMISysAPICommon100
