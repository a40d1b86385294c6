// Several processes commit to the same debug configuration file at once.
#include <vector>

#include "DebugConfigTestSupport.h"
#include "support/Portable.h"

using namespace debugconfigtest;

namespace {

std::unique_ptr<testsupport::ChildProcess> spawnCommitter(const std::vector<std::string>& args) {
    auto child = std::make_unique<testsupport::ChildProcess>(QUORREL_DEBUGCONFIG_COMMITTER, args);
    EXPECT_TRUE(child->started());
    return child;
}

int exitCodeOf(const std::unique_ptr<testsupport::ChildProcess>& child) { return child->wait(); }

class ProcessLockTest : public ::testing::Test {
protected:
    ProcessLockTest() {
        testsupport::setEnvironment("ORV_COMMON_APPDATA", scratch_.root());
        // The committers inherit it: polling waiters are not served in turn, and a loaded
        // machine must not hit the bound.
        testsupport::setEnvironment("ORV_QUORREL_LOCK_TIMEOUT_MS", "600000");
    }

    ScratchFolder scratch_;
};

}  // namespace

TEST_F(ProcessLockTest, ConcurrentCommitsOfDifferentDevicesLoseNoUpdate) {
    constexpr int kProcesses = 6;
    constexpr int kCommits = 60;
    std::vector<std::unique_ptr<testsupport::ChildProcess>> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(spawnCommitter({"{DEVICE-" + std::to_string(p) + "}", std::to_string(kCommits)}));
    }
    for (const auto& child : children) EXPECT_EQ(0, exitCodeOf(child)) << "a committer saw a lost update or failed";

    Json root = parseJson(readFile(scratch_.configFile()));
    ASSERT_TRUE(root) << "the file must always parse";
    cJSON* devices = cJSON_GetObjectItemCaseSensitive(root.get(), "devices");
    ASSERT_EQ(kProcesses, cJSON_GetArraySize(devices));
    for (int p = 0; p < kProcesses; ++p) {
        cJSON* entry = cJSON_GetObjectItemCaseSensitive(devices, ("{DEVICE-" + std::to_string(p) + "}").c_str());
        ASSERT_NE(nullptr, entry);
        EXPECT_EQ(kCommits - 1, cJSON_GetObjectItemCaseSensitive(entry, "debugSessionConfiguration")->valueint);
        EXPECT_TRUE(cJSON_IsTrue(cJSON_GetObjectItemCaseSensitive(entry, "ServerIsOutOfProcess")));
    }
}

TEST_F(ProcessLockTest, ReadModifyWriteOfOneEntryIsSerialisedAcrossProcesses) {
    constexpr int kProcesses = 4;
    constexpr int kIncrements = 50;
    std::vector<std::unique_ptr<testsupport::ChildProcess>> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(spawnCommitter({"--counter", "{COUNTER}", std::to_string(kIncrements)}));
    }
    for (const auto& child : children) EXPECT_EQ(0, exitCodeOf(child));

    Json root = parseJson(readFile(scratch_.configFile()));
    ASSERT_TRUE(root);
    cJSON* entry = cJSON_GetObjectItemCaseSensitive(cJSON_GetObjectItemCaseSensitive(root.get(), "devices"), "{COUNTER}");
    ASSERT_NE(nullptr, entry);
    // Each process starts the entry at 0 only when it is missing, so the total is exact.
    EXPECT_EQ(kProcesses * kIncrements, cJSON_GetObjectItemCaseSensitive(entry, "debugSessionConfiguration")->valueint);
}
