#include "quorrel/debugconfig/DebugConfigurationChangeNotifier.h"

#include <chrono>
#include <system_error>

#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "common/platform/File.h"
#include "common/platform/ThreadName.h"
#include "palu/Trace.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/FileStatus.h"
#include "quorrel/debugconfig/LockableFile.h"
#include "quorrel/messages/Messages.h"

namespace nORVMISysAPICommon100 {

namespace msg = quorrel::messages;

namespace {

void trace(const char* format, const char* text, int line) {
    nORVMDBG100::tTrace::getInstance()
        .putPrefix(msg::kTraceTypeInfo, ORVERR_COMPONENT, __FILE__, line)
        .putf(format, text)
        .endl();
}

std::string baseName(const std::string& path) {
    const size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

}  // namespace

DebugConfigurationChangeNotifier::DebugConfigurationChangeNotifier(
    const StorageLocatorInterface& locator, std::unique_ptr<DebugConfigurationChangeCheck> check,
    std::unique_ptr<platform::DirectoryMonitor> monitor)
    : locator_(locator), check_(std::move(check)), monitor_(std::move(monitor)), fileName_(baseName(locator.getFile())) {}

DebugConfigurationChangeNotifier::~DebugConfigurationChangeNotifier() {
    if (running_) {
        stop_.store(true);
        monitor_->stop();
        thread_.join();
    }
    monitor_->close();
}

void DebugConfigurationChangeNotifier::start() {
    platform::OsError error;
    if (!monitor_->start(locator_.getFolder(), error)) {
        QUORREL_RAISE_FILE_ERROR(orverr::codes::kPlatformOSFault, msg::kMonitorStartFailed,
                                 platform::nativePath(locator_.getFolder()), &error);
    }
    try {
        thread_ = std::thread([this] { loop(); });
    } catch (const std::system_error&) {
        monitor_->close();
        ORVERR_THROW(orverr::codes::kPlatformOSFault).comment(msg::kMonitorThreadFailed).raise();
    }
    running_ = true;
}

bool DebugConfigurationChangeNotifier::concernsFile(const std::vector<std::string>& names) const {
    for (const std::string& name : names) {
        // An empty name is a change the platform could not name: it may be ours.
        if (name.empty() || name == fileName_) return true;
    }
    return false;
}

DebugConfigurationChangeNotifier::Collected DebugConfigurationChangeNotifier::collect(bool& relevant) {
    std::vector<std::string> names;
    platform::OsError error;
    platform::DirectoryWait result = monitor_->wait(platform::DirectoryMonitor::kInfinite, names, error);
    using Clock = std::chrono::steady_clock;
    const auto first = Clock::now();
    // One save of an editor is several events: drain them until the folder is quiet a moment.
    while (result == platform::DirectoryWait::kChanged) {
        relevant = relevant || concernsFile(names);
        if (Clock::now() - first >= std::chrono::milliseconds(kDebounceLimitMilliseconds)) break;
        names.clear();
        result = monitor_->wait(kDebounceMilliseconds, names, error);
    }
    switch (result) {
        case platform::DirectoryWait::kChanged:
        case platform::DirectoryWait::kTimedOut:
            return stop_.load() ? Collected::kEnd : Collected::kEdit;
        case platform::DirectoryWait::kFolderGone:
            return Collected::kFolderGone;
        case platform::DirectoryWait::kFailed:
            traceWaitFailure(error);
            return Collected::kEnd;
        case platform::DirectoryWait::kStopped:
            break;
    }
    return Collected::kEnd;
}

void DebugConfigurationChangeNotifier::traceWaitFailure(const platform::OsError& error) const {
    try {
        QUORREL_RAISE_FILE_ERROR(orverr::codes::kPlatformOSFault, msg::kMonitorWaitFailed,
                                 platform::nativePath(locator_.getFolder()), &error);
    } catch (const orverr::Exception& e) {
        trace(msg::kMonitorTraceEnded, e.documentText(), __LINE__);
    }
}

bool DebugConfigurationChangeNotifier::watchAgain() {
    const std::string folder = platform::nativePath(locator_.getFolder());
    trace(msg::kMonitorTraceFolderGone, folder.c_str(), __LINE__);
    // Until a folder is there again (made anew, or moved back), look for it now and then.
    for (;;) {
        platform::OsError error;
        if (monitor_->rewatch(error)) {
            rewatches_.fetch_add(1);
            trace(msg::kMonitorTraceWatchingAgain, folder.c_str(), __LINE__);
            return true;
        }
        std::vector<std::string> names;
        const platform::DirectoryWait result = monitor_->wait(kRewatchRetryMilliseconds, names, error);
        if (result == platform::DirectoryWait::kFailed) traceWaitFailure(error);
        if (result != platform::DirectoryWait::kTimedOut || stop_.load()) return false;
    }
}

void DebugConfigurationChangeNotifier::checkOnce() {
    try {
        check_->run();
    } catch (const orverr::Exception& e) {
        trace(msg::kMonitorTraceCheckFailed, e.documentText(), __LINE__);
    } catch (const std::exception& e) {
        trace(msg::kMonitorTraceCheckFailed, e.what(), __LINE__);
    } catch (...) {
        trace(msg::kMonitorTraceCheckFailed, "unknown exception", __LINE__);
    }
    checks_.fetch_add(1);
}

void DebugConfigurationChangeNotifier::loop() {
    platform::setCurrentThreadName(msg::kMonitorThreadName);
    // A check waiting for another process's lock ends when the expert is destroyed.
    LockableFile::endWaitsOfThisThreadWhen(&stop_);
    while (!stop_.load()) {
        bool relevant = false;
        Collected got = collect(relevant);
        if (got == Collected::kFolderGone) {
            got = watchAgain() ? Collected::kEdit : Collected::kEnd;
            // The file in the folder now watched may hold other values than the bags show.
            relevant = true;
        }
        if (relevant && got == Collected::kEdit) checkOnce();
        wakes_.fetch_add(1);
        if (got == Collected::kEnd) break;
    }
    ended_.store(true);
}

}  // namespace nORVMISysAPICommon100
