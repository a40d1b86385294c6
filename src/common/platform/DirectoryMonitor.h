#pragma once
// Watches one folder (not its subfolders) for changes of its entries. One thread waits; any
// thread may stop the wait.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "common/platform/LockedFile.h"

namespace platform {

enum class DirectoryWait {
    kChanged,   // names holds the entries that changed; an empty name stands for "not known"
    kStopped,   // stop() was called
    kTimedOut,
    kFailed,     // error tells why
    kFolderGone  // the watched folder was deleted, moved away or replaced: its watch has ended
};

// Each backend defines the operations over its own handles.
class DirectoryMonitor {
public:
    static constexpr uint32_t kInfinite = 0xFFFFFFFFu;

    DirectoryMonitor();
    ~DirectoryMonitor();
    DirectoryMonitor(const DirectoryMonitor&) = delete;
    DirectoryMonitor& operator=(const DirectoryMonitor&) = delete;

    // Content changes, attribute changes, creation, deletion and renames of the folder's entries
    // are reported; opening and closing an entry are not, so a reader never wakes itself.
    bool start(const std::string& folder, OsError& error);
    // Waits up to timeoutMs for a change or for stop(); appends the changed entries' names.
    // A stop wins over changes that are pending at the same time. Once the folder is gone,
    // every wait answers kFolderGone until rewatch().
    DirectoryWait wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error);
    // Drops the current watch and watches the folder now at the path given to start (a folder
    // made anew in place of the old one). False with error (error.missing when there is no
    // folder yet): then no watch is left and waits end only by their time-out or by stop().
    bool rewatch(OsError& error);
    // Ends the current and every later wait with kStopped.
    void stop();
    void close();

private:
    struct Native;  // the backend's handles and state
    std::unique_ptr<Native> native_;
};

inline std::unique_ptr<DirectoryMonitor> createDirectoryMonitor() { return std::make_unique<DirectoryMonitor>(); }

}  // namespace platform
