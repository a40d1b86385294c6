// The folder monitor of the platform layer, over the real file system and with its system
// calls made to fail.
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cerrno>
#include <thread>

#include "DebugConfigTestSupport.h"
#include "common/platform/DirectoryMonitor.h"
#if defined(_WIN32)
#include "common/platform/win32/DirectoryMonitorSyscalls.h"
#else
#include "common/platform/posix/DirectoryMonitorSyscalls.h"
#endif

using namespace debugconfigtest;
using platform::DirectoryWait;
#if defined(_WIN32)
namespace sys = platform::win32;
// Change notifications do not name the entry: every change is "not known".
#define REPORTED(name) ""
#else
namespace sys = platform::posix;
#define REPORTED(name) name
#endif

namespace {

constexpr uint32_t kInfinite = platform::DirectoryMonitorInterface::kInfinite;

class DirectoryMonitor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(monitor->start(scratch.configFolder(), error)) << error.message; }
    void TearDown() override { sys::directoryMonitorSyscalls() = sys::realDirectoryMonitorSyscalls(); }

    // The names one wait reports (events are queued when the call that made them returns).
    std::vector<std::string> changes(DirectoryWait expected = DirectoryWait::kChanged) {
        std::vector<std::string> names;
        EXPECT_EQ(expected, monitor->wait(expected == DirectoryWait::kChanged ? kInfinite : 0, names, error));
        return names;
    }

    ScratchFolder scratch;
    std::unique_ptr<platform::DirectoryMonitorInterface> monitor = platform::createDirectoryMonitor();
    platform::OsError error;
};

#if !defined(_WIN32)
int failWithEnomem(...) {
    errno = ENOMEM;
    return -1;
}
#endif

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
        {"creation", [&] { writeFile(other, ""); }, REPORTED("Quorrel.config-journal")},
        {"modification", [&] { writeFile(file, "{ }"); }, REPORTED("Quorrel.config")},
#if defined(_WIN32)
        // Permissions are only the read-only attribute here: set it and clear it again.
        {"attributes", [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                                           std::filesystem::perm_options::remove); }, ""},
        {"attributes back", [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_write,
                                                                std::filesystem::perm_options::add); }, ""},
#else
        {"attributes", [&] { std::filesystem::permissions(file, std::filesystem::perms::owner_read,
                                                           std::filesystem::perm_options::add); }, "Quorrel.config"},
#endif
        {"rename", [&] { std::filesystem::rename(other, other + ".old"); }, REPORTED("Quorrel.config-journal.old")},
        {"deletion", [&] { std::filesystem::remove(other + ".old"); }, REPORTED("Quorrel.config-journal.old")},
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
        EXPECT_NE(names.end(), std::find(names.begin(), names.end(), REPORTED("Quorrel.config"))) << c.name;
        while (monitor->wait(0, names, error) == DirectoryWait::kChanged) {
        }
    }
    // The folder renamed away is watched no more: its changes are not reported.
    writeFile(folder + ".old/Quorrel.config", "{ \"moved\": true }");
    std::vector<std::string> names;
    EXPECT_EQ(DirectoryWait::kTimedOut, monitor->wait(0, names, error));
}

TEST(DirectoryMonitorFailures, EverySystemCallFailureIsReported) {
    ScratchFolder scratch;
    struct Case {
        const char* name;
        std::function<void(sys::DirectoryMonitorSyscalls&)> inject;
        bool startFails;
    };
#if defined(_WIN32)
    constexpr int32_t kInjected = ERROR_NOT_ENOUGH_MEMORY;
    const Case cases[] = {
        {"FindFirstChangeNotificationW",
         [](auto& t) {
             t.findFirstChangeNotification = [](LPCWSTR, BOOL, DWORD) {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return INVALID_HANDLE_VALUE;
             };
         },
         true},
        {"CreateEventW",
         [](auto& t) {
             t.createEvent = [](LPSECURITY_ATTRIBUTES, BOOL, BOOL, LPCWSTR) -> HANDLE {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return nullptr;
             };
         },
         true},
        {"WaitForMultipleObjects",
         [](auto& t) {
             t.waitForMultipleObjects = [](DWORD, const HANDLE*, BOOL, DWORD) -> DWORD {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return WAIT_FAILED;
             };
         },
         false},
        {"FindNextChangeNotification",
         [](auto& t) {
             t.findNextChangeNotification = [](HANDLE) -> BOOL {
                 ::SetLastError(ERROR_NOT_ENOUGH_MEMORY);
                 return FALSE;
             };
         },
         false},
    };
    constexpr int32_t kMissing = ERROR_FILE_NOT_FOUND;
#else
    constexpr int32_t kInjected = ENOMEM;
    constexpr int32_t kMissing = ENOENT;
    const Case cases[] = {
        {"inotify_init1", [](auto& t) { t.inotifyInit = [](int) { return failWithEnomem(); }; }, true},
        {"inotify_add_watch",
         [](auto& t) { t.inotifyAddWatch = [](int, const char*, uint32_t) { return failWithEnomem(); }; }, true},
        {"eventfd", [](auto& t) { t.eventfd = [](unsigned, int) { return failWithEnomem(); }; }, true},
        {"poll", [](auto& t) { t.poll = [](struct pollfd*, nfds_t, int) { return failWithEnomem(); }; }, false},
        {"read",
         [](auto& t) { t.read = [](int, void*, size_t) { return static_cast<ssize_t>(failWithEnomem()); }; }, false},
    };
#endif
    for (const Case& c : cases) {
        auto monitor = platform::createDirectoryMonitor();
        c.inject(sys::directoryMonitorSyscalls());
        platform::OsError error;
        const bool started = monitor->start(scratch.configFolder(), error);
        EXPECT_EQ(!c.startFails, started) << c.name;
        if (started) {
            writeFile(scratch.configFile(), "{}");
            std::vector<std::string> names;
            EXPECT_EQ(DirectoryWait::kFailed, monitor->wait(kInfinite, names, error)) << c.name;
        }
        EXPECT_EQ(kInjected, error.code) << c.name;
        EXPECT_FALSE(error.message.empty()) << c.name;
        sys::directoryMonitorSyscalls() = sys::realDirectoryMonitorSyscalls();
        monitor->close();
    }
    // A missing folder cannot be watched.
    auto monitor = platform::createDirectoryMonitor();
    platform::OsError error;
    EXPECT_FALSE(monitor->start(scratch.root() + "/missing", error));
    EXPECT_TRUE(error.code == kMissing || error.missing) << error.code;
}
