// Several processes commit to the same debug configuration file at once.
#include <spawn.h>
#include <sys/wait.h>

#include <vector>

#include "quorrel-debugconfig/DebugConfigTestSupport.h"

extern char** environ;

using namespace debugconfigtest;

namespace {

pid_t spawnCommitter(const std::vector<std::string>& args) {
    std::vector<char*> argv;
    std::string program = QUORREL_DEBUGCONFIG_COMMITTER;
    argv.push_back(program.data());
    std::vector<std::string> copies(args);
    for (auto& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    EXPECT_EQ(0, ::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ));
    return pid;
}

int exitCodeOf(pid_t pid) {
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

class ProcessLockTest : public ::testing::Test {
protected:
    ProcessLockTest() { ::setenv("ORV_COMMON_APPDATA", scratch_.root().c_str(), 1); }

    ScratchFolder scratch_;
};

}  // namespace

TEST_F(ProcessLockTest, ConcurrentCommitsOfDifferentDevicesLoseNoUpdate) {
    constexpr int kProcesses = 6;
    constexpr int kCommits = 60;
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(spawnCommitter({"{DEVICE-" + std::to_string(p) + "}", std::to_string(kCommits)}));
    }
    for (pid_t child : children) EXPECT_EQ(0, exitCodeOf(child)) << "a committer saw a lost update or failed";

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
    std::vector<pid_t> children;
    for (int p = 0; p < kProcesses; ++p) {
        children.push_back(spawnCommitter({"--counter", "{COUNTER}", std::to_string(kIncrements)}));
    }
    for (pid_t child : children) EXPECT_EQ(0, exitCodeOf(child));

    Json root = parseJson(readFile(scratch_.configFile()));
    ASSERT_TRUE(root);
    cJSON* entry = cJSON_GetObjectItemCaseSensitive(cJSON_GetObjectItemCaseSensitive(root.get(), "devices"), "{COUNTER}");
    ASSERT_NE(nullptr, entry);
    // Each process starts the entry at 0 only when it is missing, so the total is exact.
    EXPECT_EQ(kProcesses * kIncrements, cJSON_GetObjectItemCaseSensitive(entry, "debugSessionConfiguration")->valueint);
}
