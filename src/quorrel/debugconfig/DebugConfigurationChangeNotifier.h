#pragma once
// Watches the debug configuration folder on a thread of its own ("Quorrel") and runs the change
// check after edits of the configuration file. Other files in the folder (a journal beside the
// file, temporary copies) are ignored.
#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "common/platform/DirectoryMonitor.h"
#include "quorrel/debugconfig/DebugConfigurationChangeCheck.h"

namespace nORVMISysAPICommon100 {

class DebugConfigurationChangeNotifier {
public:
    // Events closer together than this count as one edit.
    static constexpr uint32_t kDebounceMilliseconds = 5;
    // A stream of events that never pauses is checked at least this often.
    static constexpr uint32_t kDebounceLimitMilliseconds = 50;
    // While the folder is gone, how often the thread looks whether it is there again.
    static constexpr uint32_t kRewatchRetryMilliseconds = 100;

    DebugConfigurationChangeNotifier(const StorageLocatorInterface& locator,
                                     std::unique_ptr<DebugConfigurationChangeCheck> check,
                                     std::unique_ptr<platform::DirectoryMonitor> monitor =
                                         platform::createDirectoryMonitor());
    DebugConfigurationChangeNotifier(const DebugConfigurationChangeNotifier&) = delete;
    DebugConfigurationChangeNotifier& operator=(const DebugConfigurationChangeNotifier&) = delete;
    // Stops and joins the thread before anything it uses goes.
    ~DebugConfigurationChangeNotifier();

    // Starts watching and the thread; failures raise the platform's OS fault status.
    void start();
    bool isRunning() const { return running_; }
    // For diagnostics and tests: edits seen (of any file in the folder), checks run, and
    // whether the thread's work ended.
    uint64_t wakeCount() const { return wakes_.load(); }
    uint64_t checkCount() const { return checks_.load(); }
    // How often the folder went and was watched again.
    uint64_t rewatchCount() const { return rewatches_.load(); }
    bool hasEnded() const { return ended_.load(); }

private:
    enum class Collected { kEdit, kFolderGone, kEnd };

    void loop();
    // Collects the events of one edit; relevant tells whether they concern the file.
    Collected collect(bool& relevant);
    // Sets the watch up again once a folder is back at the path (traced); false when stopped or
    // when waiting failed.
    bool watchAgain();
    void traceWaitFailure(const platform::OsError& error) const;
    bool concernsFile(const std::vector<std::string>& names) const;
    void checkOnce();

    const StorageLocatorInterface& locator_;
    std::unique_ptr<DebugConfigurationChangeCheck> check_;
    std::unique_ptr<platform::DirectoryMonitor> monitor_;
    std::string fileName_;
    std::atomic<bool> stop_{false};
    std::atomic<uint64_t> wakes_{0};
    std::atomic<uint64_t> checks_{0};
    std::atomic<uint64_t> rewatches_{0};
    std::atomic<bool> ended_{false};
    std::thread thread_;
    bool running_ = false;
};

}  // namespace nORVMISysAPICommon100
