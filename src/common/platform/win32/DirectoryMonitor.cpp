// The folder monitor on Windows: a change notification on the folder and an event that stop()
// sets, both waited on together. The notification does not tell which entry changed, so every
// change is reported with an empty name ("not known").
#include <atomic>

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
                                    &::CloseHandle,                  &::GetLastError};
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

class DirectoryMonitorWin32 final : public DirectoryMonitorInterface {
public:
    DirectoryMonitorWin32() = default;
    DirectoryMonitorWin32(const DirectoryMonitorWin32&) = delete;
    DirectoryMonitorWin32& operator=(const DirectoryMonitorWin32&) = delete;
    ~DirectoryMonitorWin32() override { close(); }

    bool start(const std::string& folder, OsError& error) override {
        close();
        stopEvent_ = sys().createEvent(nullptr, TRUE, FALSE, nullptr);
        if (stopEvent_ == nullptr) return fail(error);
        change_ = sys().findFirstChangeNotification(utf8ToWide(nativePath(folder)).c_str(), FALSE, kFilter);
        if (change_ == INVALID_HANDLE_VALUE) {
            fail(error);
            change_ = nullptr;
            close();
            return false;
        }
        return true;
    }

    DirectoryWait wait(uint32_t timeoutMs, std::vector<std::string>& names, OsError& error) override {
        if (stopped_.load()) return DirectoryWait::kStopped;
        if (change_ == nullptr) {
            error.code = ERROR_INVALID_HANDLE;
            error.message = systemErrorMessage(ERROR_INVALID_HANDLE);
            return DirectoryWait::kFailed;
        }
        // The stop event first: when both are signalled, the lower index is reported.
        const HANDLE handles[2] = {stopEvent_, change_};
        const DWORD result = sys().waitForMultipleObjects(2, handles, FALSE, timeoutMs);
        if (stopped_.load() || result == WAIT_OBJECT_0) return DirectoryWait::kStopped;
        if (result == WAIT_TIMEOUT) return DirectoryWait::kTimedOut;
        if (result != WAIT_OBJECT_0 + 1) {
            fail(error);
            return DirectoryWait::kFailed;
        }
        // Re-armed before reporting, so that a change made while the caller reacts is not lost.
        if (!sys().findNextChangeNotification(change_)) {
            fail(error);
            return DirectoryWait::kFailed;
        }
        names.emplace_back();
        return DirectoryWait::kChanged;
    }

    void stop() override {
        stopped_.store(true);
        const HANDLE event = stopEvent_;
        if (event != nullptr) sys().setEvent(event);
    }

    void close() override {
        if (change_ != nullptr) sys().findCloseChangeNotification(change_);
        if (stopEvent_ != nullptr) sys().closeHandle(stopEvent_);
        change_ = nullptr;
        stopEvent_ = nullptr;
    }

private:
    HANDLE change_ = nullptr;
    HANDLE stopEvent_ = nullptr;
    std::atomic<bool> stopped_{false};
};

}  // namespace
}  // namespace platform::win32

namespace platform {

std::unique_ptr<DirectoryMonitorInterface> createDirectoryMonitor() {
    return std::make_unique<win32::DirectoryMonitorWin32>();
}

}  // namespace platform
