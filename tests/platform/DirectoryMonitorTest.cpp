// The folder monitor of the platform layer, over the real file system and with its system
// calls made to fail.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <thread>

#include "common/platform/DirectoryMonitor.h"
#include "common/platform/Syscalls.h"
#include "platform/Backend.h"
#include "support/Portable.h"

using platform::DirectoryWait;
using testsupport::writeFile;

namespace {

constexpr uint32_t kInfinite = platform::DirectoryMonitor::kInfinite;

// The name a change of the entry is reported with: "" where the system does not tell.
const char* reported(const char* name) { return platformtest::kChangesNameTheEntry ? name : ""; }

// A folder below the temporary one, so that it can go and come back.
class WatchedFolder {
public:
    std::string root() const { return root_.path(); }
    std::string configFolder() const { return root_.path() + "/Quorrel"; }
    std::string configFile() const { return configFolder() + "/Quorrel.config"; }

private:
    testsupport::TemporaryFolder root_{"orv-monitor-"};
    bool made_ = std::filesystem::create_directories(std::filesystem::u8path(configFolder()));
};

class DirectoryMonitor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(monitor->start(scratch.configFolder(), error)) << error.message; }
    void TearDown() override { platform::restoreRealSyscalls(); }

    // The names one wait reports (events are queued when the call that made them returns).
    std::vector<std::string> changes(DirectoryWait expected = DirectoryWait::kChanged) {
        std::vector<std::string> names;
        EXPECT_EQ(expected, monitor->wait(expected == DirectoryWait::kChanged ? kInfinite : 0, names, error));
        return names;
    }

    WatchedFolder scratch;
    std::unique_ptr<platform::DirectoryMonitor> monitor = platform::createDirectoryMonitor();
    platform::OsError error;
};

}  // namespace

TEST_F(DirectoryMonitor, ReportsChangedNamesButNeverOpenOrClose) {
    const std::string file = scratch.configFolder() + "/Quorrel.config";
    writeFile(file, "{}");
    EXPECT_NE(std::vector<std::string>(), changes());
    for (const std::string& name : changes(DirectoryWait::kTimedOut)) ADD_FAILURE() << name;

    // A reader's open, lock and close make no event.
    const int fd = ::open(file.c_str(), O_RDWR);
    ASSERT_GE(fd, 0);
    char byte = 0;
    ASSERT_EQ(1, ::read(fd, &byte, 1));
    ::close(fd);
    changes(DirectoryWait::kTimedOut);

    struct Case {
        const char* name;
        std::function<void()> change;
        const char* reported;
    };
    const std::string other = scratch.configFolder() + "/Quorrel.config-journal";
    const Case cases[] = {
        {"creation", [&] { writeFile(other, ""); }, reported("Quorrel.config-journal")},
        {"modification", [&] { writeFile(file, "{ }"); }, reported("Quorrel.config")},
        // On Windows the permissions are only the read-only attribute: set it and clear it again.
        {"made read-only", [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                                               std::filesystem::perm_options::remove); },
         reported("Quorrel.config")},
        {"made writable", [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                                              std::filesystem::perm_options::add); },
         reported("Quorrel.config")},
        {"rename", [&] { std::filesystem::rename(other, other + ".old"); }, reported("Quorrel.config-journal.old")},
        {"deletion", [&] { std::filesystem::remove(other + ".old"); }, reported("Quorrel.config-journal.old")},
    };
    for (const Case& c : cases) {
        c.change();
        const std::vector<std::string> names = changes();
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), c.reported)) << c.name;
        changes(DirectoryWait::kTimedOut);
    }
}

TEST_F(DirectoryMonitor, StopEndsTheWaitOfAnotherThreadAndEveryLaterOne) {
    std::thread stopper([&] { monitor->stop(); });
    std::vector<std::string> names;
    const DirectoryWait first = monitor->wait(kInfinite, names, error);
    stopper.join();
    EXPECT_EQ(DirectoryWait::kStopped, first);
    writeFile(scratch.configFile(), "{}");
    EXPECT_EQ(DirectoryWait::kStopped, monitor->wait(kInfinite, names, error));
}

// A folder renamed away or deleted ends its watch; once a folder is back at the path, rewatch
// watches that one.
TEST_F(DirectoryMonitor, AFolderThatGoesIsReportedAndTheOneMadeInItsPlaceIsWatched) {
    constexpr uint32_t kGenerous = 10000;
    const std::string folder = scratch.configFolder();
    const std::string file = folder + "/Quorrel.config";
    struct Case {
        const char* name;
        std::function<void()> removal;
        bool deletes;
    };
    const Case cases[] = {
        {"renamed away", [&] { std::filesystem::rename(folder, folder + ".old"); }, false},
        {"deleted", [&] { std::filesystem::remove_all(folder); }, true},
    };
    for (const Case& c : cases) {
        // wine keeps a deleted folder, still openable, while a handle on it is open; Windows
        // refuses to open it and frees the name once the watch lets go.
        if (c.deletes && testsupport::runningUnderWine()) continue;
        writeFile(file, "{}");
        c.removal();
        // Changes of the entries may come first; the folder's end is reported, and stays so.
        std::vector<std::string> names;
        DirectoryWait result = DirectoryWait::kChanged;
        while (result == DirectoryWait::kChanged) result = monitor->wait(kGenerous, names, error);
        ASSERT_EQ(DirectoryWait::kFolderGone, result) << c.name;
        EXPECT_EQ(DirectoryWait::kFolderGone, monitor->wait(0, names, error)) << c.name;

        // Nothing at the path yet: no watch, and waits only time out.
        EXPECT_FALSE(monitor->rewatch(error)) << c.name;
        EXPECT_TRUE(error.missing) << c.name << ": " << error.message;
        EXPECT_EQ(DirectoryWait::kTimedOut, monitor->wait(0, names, error)) << c.name;

        std::filesystem::create_directories(folder);
        ASSERT_TRUE(monitor->rewatch(error)) << c.name << ": " << error.message;
        writeFile(file, "{ }");
        names.clear();
        ASSERT_EQ(DirectoryWait::kChanged, monitor->wait(kGenerous, names, error)) << c.name;
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), reported("Quorrel.config"))) << c.name;
        while (monitor->wait(0, names, error) == DirectoryWait::kChanged) {
        }
    }
    // The folder renamed away is watched no more: its changes are not reported.
    writeFile(folder + ".old/Quorrel.config", "{ \"moved\": true }");
    std::vector<std::string> names;
    EXPECT_EQ(DirectoryWait::kTimedOut, monitor->wait(0, names, error));
}

TEST(DirectoryMonitorFailures, EverySystemCallFailureIsReported) {
    WatchedFolder scratch;
    for (const platformtest::InjectedFailure& c : platformtest::monitorFailures()) {
        auto monitor = platform::createDirectoryMonitor();
        c.inject();
        platform::OsError error;
        const bool started = monitor->start(scratch.configFolder(), error);
        EXPECT_EQ(!c.duringStart, started) << c.call;
        if (started) {
            writeFile(scratch.configFile(), "{}");
            std::vector<std::string> names;
            EXPECT_EQ(DirectoryWait::kFailed, monitor->wait(kInfinite, names, error)) << c.call;
        }
        EXPECT_EQ(platformtest::kInjectedError, error.code) << c.call;
        EXPECT_FALSE(error.message.empty()) << c.call;
        platform::restoreRealSyscalls();
        monitor->close();
    }
    // A missing folder cannot be watched.
    auto monitor = platform::createDirectoryMonitor();
    platform::OsError error;
    EXPECT_FALSE(monitor->start(scratch.root() + "/missing", error));
    EXPECT_TRUE(error.missing) << error.code;
}
