// The library's attach and detach steps and the log of their failures.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "quorrel/package/PackageHooks.h"

namespace {

class RecordingPackageLog : public quorrel::PackageLogInterface {
public:
    void packageEvent(uint32_t event) override { events.push_back(event); }
    void failure(const char* format, const std::string& module, int32_t status) override {
        failures.push_back(std::string(format) + "|" + module + "|" + std::to_string(status));
    }
    std::string moduleFileName() override { return module; }
    std::vector<uint32_t> events;
    std::vector<std::string> failures;
    std::string module;
};

std::vector<uint32_t> callbackEvents;
int32_t failingEvent = -1;

int32_t recordingCallback(uint32_t event) {
    callbackEvents.push_back(event);
    return static_cast<int32_t>(event) == failingEvent ? -17 : 0;
}

}  // namespace

TEST(PackageHooks, AttachAndDetachInOrder) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = -1;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_TRUE(hooks.processAttach());
    EXPECT_TRUE(hooks.threadAttach());
    EXPECT_TRUE(hooks.threadDetach());
    EXPECT_TRUE(hooks.processDetach());
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 1}), log.events);
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 4, 5, 3, 1}), callbackEvents);
    EXPECT_TRUE(log.failures.empty());
}

// At process exit the platform library's objects may be gone: the steps still run, unlogged.
TEST(PackageHooks, DetachAtProcessExitRunsTheStepsWithoutLogging) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = -1;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_TRUE(hooks.processAttach());
    EXPECT_TRUE(hooks.processDetach(true));
    EXPECT_EQ((std::vector<uint32_t>{0, 2}), log.events);
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 3, 1}), callbackEvents);
}

TEST(PackageHooks, FailedAttachIsLoggedWithTheModuleName) {
    RecordingPackageLog log;
    callbackEvents.clear();
    failingEvent = 2;
    quorrel::PackageHooks hooks(log, &recordingCallback);
    EXPECT_FALSE(hooks.processAttach());
    ASSERT_EQ(1u, log.failures.size());
    EXPECT_EQ("DllMain(DLL_PROCESS_ATTACH) of %s failed with status %d\n|Unknown|-17", log.failures[0]);
    // Only the first stage is undone.
    EXPECT_TRUE(hooks.processDetach());
    EXPECT_EQ((std::vector<uint32_t>{0, 2, 1}), log.events);

    log.module = "/opt/lib/libQuorrel.so";
    failingEvent = 4;
    EXPECT_FALSE(hooks.threadAttach());
    EXPECT_EQ("DllMain(DLL_THREAD_ATTACH) of %s failed with status %d\n|/opt/lib/libQuorrel.so|-17", log.failures[1]);
    failingEvent = -1;
    EXPECT_EQ(0, quorrel::quorrelPackageCallback(0));
}
