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
    bool watch(OsError& error) {
        change = sys().findFirstChangeNotification(folder.c_str(), FALSE, kFilter);
        if (change == INVALID_HANDLE_VALUE) {
            change = nullptr;
            return fail(error);
        }
        if (!identify(watched)) {
            fail(error);
            dropWatch();
            return false;
        }
        return true;
    }

    void dropWatch() {
        if (change != nullptr) sys().findCloseChangeNotification(change);
        change = nullptr;
    }

    // The identity of the folder now at the path; false when none can be had (no folder, or one
    // whose deletion is pending).
    bool identify(FolderIdentity& identity) const {
        const HANDLE handle = sys().createFile(folder.c_str(), FILE_READ_ATTRIBUTES,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                               OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (handle == INVALID_HANDLE_VALUE) return false;
        BY_HANDLE_FILE_INFORMATION information{};
        const BOOL known = sys().getFileInformationByHandle(handle, &information);
        sys().closeHandle(handle);
        if (!known) return false;
        identity = FolderIdentity{information.dwVolumeSerialNumber, information.nFileIndexHigh,
                                  information.nFileIndexLow};
        return true;
    }

    bool stillWatched() const {
        FolderIdentity now;
        return identify(now) && now == watched;
    }

    // The watch goes at once: while its handle is open, a deleted folder stays pending and no
    // new one can take its name.
    DirectoryWait folderGone() {
        dropWatch();
        gone = true;
        return DirectoryWait::kFolderGone;
    }

    std::wstring folder;
    HANDLE change = nullptr;
    HANDLE stopEvent = nullptr;
    FolderIdentity watched;
    // Used by the waiting thread only.
    bool gone = false;
    std::atomic<bool> stopped{false};
};

DirectoryMonitor::DirectoryMonitor() : native_(std::make_unique<Native>()) {}
DirectoryMonitor::~DirectoryMonitor() { close(); }

bool DirectoryMonitor::start(const std::string& folder, OsError& error) {
    close();
    native_->folder = utf8ToWide(nativePath(folder));
    native_->stopEvent = sys().createEvent(nullptr, TRUE, FALSE, nullptr);
    if (native_->stopEvent == nullptr) return fail(error);
    if (!native_->watch(error)) {
        close();
        return false;
    }
    return true;
}

bool DirectoryMonitor::rewatch(OsError& error) {
    native_->dropWatch();
    native_->gone = false;
    return native_->watch(error);
}

DirectoryWait DirectoryMonitor::wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error) {
    if (native_->stopped.load()) return DirectoryWait::kStopped;
    if (native_->stopEvent == nullptr) {
        error.code = ERROR_INVALID_HANDLE;
        error.message = systemErrorMessage(ERROR_INVALID_HANDLE);
        return DirectoryWait::kFailed;
    }
    if (native_->gone) return DirectoryWait::kFolderGone;
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        DWORD slice = INFINITE;
        if (timeoutMs != kInfinite) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
            slice = left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
        }
        // A watch looks at its folder now and then; without one only a stop ends it early.
        if (native_->change != nullptr) slice = std::min(slice, kIdentityCheckMs);
        // The stop event first: when both are signalled, the lower index is reported.
        const HANDLE handles[2] = {native_->stopEvent, native_->change};
        const DWORD result = sys().waitForMultipleObjects(native_->change != nullptr ? 2 : 1, handles, FALSE, slice);
        if (native_->stopped.load() || result == WAIT_OBJECT_0) return DirectoryWait::kStopped;
        if (result == WAIT_TIMEOUT) {
            if (native_->change != nullptr && !native_->stillWatched()) return native_->folderGone();
            if (timeoutMs != kInfinite && Clock::now() >= deadline) return DirectoryWait::kTimedOut;
            continue;
        }
        if (result != WAIT_OBJECT_0 + 1) {
            fail(error);
            return DirectoryWait::kFailed;
        }
        if (!native_->stillWatched()) return native_->folderGone();
        // Re-armed before reporting, so that a change made while the caller reacts is not lost.
        if (!sys().findNextChangeNotification(native_->change)) {
            fail(error);
            return DirectoryWait::kFailed;
        }
        names.emplace_back();
        return DirectoryWait::kChanged;
    }
}

void DirectoryMonitor::stop() {
    native_->stopped.store(true);
    const HANDLE event = native_->stopEvent;
    if (event != nullptr) sys().setEvent(event);
}

void DirectoryMonitor::close() {
    native_->dropWatch();
    if (native_->stopEvent != nullptr) sys().closeHandle(native_->stopEvent);
    native_->stopEvent = nullptr;
}

}  // namespace platform
