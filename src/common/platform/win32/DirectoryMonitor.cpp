// The folder monitor on Windows: a change notification on the folder and an event that stop()
// sets, both waited on together. The notification does not tell which entry changed, so every
// change is reported with an empty name ("not known"). Nor does it tell that the folder itself
// was renamed away or deleted: the folder's identity (volume and file index) is compared with
// the watched one after every change and, while nothing changes, every kIdentityCheckMs.
#include <algorithm>
#include <atomic>
#include <chrono>

#include "common/platform/DirectoryMonitor.h"
#include "common/platform/File.h"
#include "common/platform/WideText.h"
#include "common/platform/win32/DirectoryMonitorSyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform::win32 {

DirectoryMonitorSyscalls realDirectoryMonitorSyscalls() {
    return DirectoryMonitorSyscalls{&::FindFirstChangeNotificationW, &::FindNextChangeNotification,
                                    &::FindCloseChangeNotification,  &::CreateEventW,
                                    &::SetEvent,                     &::WaitForMultipleObjects,
                                    &::CloseHandle,                  &::GetLastError,
                                    &::CreateFileW,                  &::GetFileInformationByHandle};
}

DirectoryMonitorSyscalls& directoryMonitorSyscalls() {
    static DirectoryMonitorSyscalls table = realDirectoryMonitorSyscalls();
    return table;
}

namespace {

const DirectoryMonitorSyscalls& sys() { return directoryMonitorSyscalls(); }

// Content, attribute, creation, deletion and rename changes; never last-access, so that a
// reader's own open and close do not count.
constexpr DWORD kFilter = FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE | FILE_NOTIFY_CHANGE_ATTRIBUTES |
                          FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

bool fail(OsError& error) {
    const DWORD code = sys().getLastError();
    error.code = static_cast<int32_t>(code);
    error.message = systemErrorMessage(code);
    error.missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    return false;
}

// How often a quiet watch looks whether its folder is still the one at the path.
constexpr DWORD kIdentityCheckMs = 250;

struct FolderIdentity {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FolderIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

}  // namespace
}  // namespace platform::win32

namespace platform {

using namespace win32;

struct DirectoryMonitor::Native {
    Native() = default;
    Native(const Native&) = delete;
    Native& operator=(const Native&) = delete;
    ~Native() { close(); }

    bool start(const std::string& folder, OsError& error) {
        close();
        folder_ = utf8ToWide(nativePath(folder));
        stopEvent_ = sys().createEvent(nullptr, TRUE, FALSE, nullptr);
        if (stopEvent_ == nullptr) return fail(error);
        if (!watch(error)) {
            close();
            return false;
        }
        return true;
    }

    bool rewatch(OsError& error) {
        dropWatch();
        gone_ = false;
        return watch(error);
    }

    DirectoryWait wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error) {
        if (stopped_.load()) return DirectoryWait::kStopped;
        if (stopEvent_ == nullptr) {
            error.code = ERROR_INVALID_HANDLE;
            error.message = systemErrorMessage(ERROR_INVALID_HANDLE);
            return DirectoryWait::kFailed;
        }
        if (gone_) return DirectoryWait::kFolderGone;
        using Clock = std::chrono::steady_clock;
        const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            DWORD slice = INFINITE;
            if (timeoutMs != kInfinite) {
                const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
                slice = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
            }
            // A watch looks at its folder now and then; without one only a stop ends it early.
            if (change_ != nullptr) slice = std::min(slice, kIdentityCheckMs);
            // The stop event first: when both are signalled, the lower index is reported.
            const HANDLE handles[2] = {stopEvent_, change_};
            const DWORD result = sys().waitForMultipleObjects(change_ != nullptr ? 2 : 1, handles, FALSE, slice);
            if (stopped_.load() || result == WAIT_OBJECT_0) return DirectoryWait::kStopped;
            if (result == WAIT_TIMEOUT) {
                if (change_ != nullptr && !stillWatched()) return folderGone();
                if (timeoutMs != kInfinite && Clock::now() >= deadline) return DirectoryWait::kTimedOut;
                continue;
            }
            if (result != WAIT_OBJECT_0 + 1) {
                fail(error);
                return DirectoryWait::kFailed;
            }
            if (!stillWatched()) return folderGone();
            // Re-armed before reporting, so that a change made while the caller reacts is not lost.
            if (!sys().findNextChangeNotification(change_)) {
                fail(error);
                return DirectoryWait::kFailed;
            }
            names.emplace_back();
            return DirectoryWait::kChanged;
        }
    }

    void stop() {
        stopped_.store(true);
        const HANDLE event = stopEvent_;
        if (event != nullptr) sys().setEvent(event);
    }

    void close() {
        dropWatch();
        if (stopEvent_ != nullptr) sys().closeHandle(stopEvent_);
        stopEvent_ = nullptr;
    }

    bool watch(OsError& error) {
        change_ = sys().findFirstChangeNotification(folder_.c_str(), FALSE, kFilter);
        if (change_ == INVALID_HANDLE_VALUE) {
            change_ = nullptr;
            return fail(error);
        }
        if (!identify(watched_)) {
            fail(error);
            dropWatch();
            return false;
        }
        return true;
    }

    void dropWatch() {
        if (change_ != nullptr) sys().findCloseChangeNotification(change_);
        change_ = nullptr;
    }

    // The identity of the folder now at the path; false when none can be had (no folder, or one
    // whose deletion is pending).
    bool identify(FolderIdentity& identity) const {
        const HANDLE folder = sys().createFile(folder_.c_str(), FILE_READ_ATTRIBUTES,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (folder == INVALID_HANDLE_VALUE) return false;
        BY_HANDLE_FILE_INFORMATION information{};
        const BOOL known = sys().getFileInformationByHandle(folder, &information);
        sys().closeHandle(folder);
        if (!known) return false;
        identity = FolderIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                                  information.nFileIndexLow};
        return true;
    }

    bool stillWatched() const {
        FolderIdentity now;
        return identify(now) && now == watched_;
    }

    // The watch goes at once: while its handle is open, a deleted folder stays pending and no
    // new one can take its name.
    DirectoryWait folderGone() {
        dropWatch();
        gone_ = true;
        return DirectoryWait::kFolderGone;
    }

    std::wstring folder_;
    HANDLE change_ = nullptr;
    HANDLE stopEvent_ = nullptr;
    FolderIdentity watched_;
    // Used by the waiting thread only.
    bool gone_ = false;
    std::atomic<bool> stopped_{false};
};

DirectoryMonitor::DirectoryMonitor() : native_(std::make_unique<Native>()) {}
DirectoryMonitor::~DirectoryMonitor() = default;
bool DirectoryMonitor::start(const std::string& folder, OsError& error) { return native_->start(folder, error); }
DirectoryWait DirectoryMonitor::wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error) {
    return native_->wait(timeoutMs, names, error);
}
bool DirectoryMonitor::rewatch(OsError& error) { return native_->rewatch(error); }
void DirectoryMonitor::stop() { native_->stop(); }
void DirectoryMonitor::close() { native_->close(); }

std::unique_ptr<DirectoryMonitor> createDirectoryMonitor() { return std::make_unique<DirectoryMonitor>(); }

}  // namespace platform
