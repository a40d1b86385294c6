// Commit rate of the debug configuration file: one process alone, and several processes
// committing different devices at once (each commit opens, locks, reads, parses, writes, syncs).
//
// The file lies under $ORV_BENCH_DIR (default: $TMPDIR or /tmp); the figures depend on how
// expensive fsync is there.
#include <benchmark/benchmark.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "common/platform/KnownFolders.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/StorageLocator.h"

using namespace nORVMISysAPICommon100;

namespace {

constexpr int kCommitsPerProcess = 200;
constexpr int kDevicesInFile = 16;  // a realistic file: the committing devices plus some others

std::string benchFolder() {
    for (const char* name : {"ORV_BENCH_DIR", "TMPDIR"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return value;
    }
    return "/tmp";
}

class BenchFolders final : public platform::KnownFoldersInterface {
public:
    BenchFolders() : root_(benchFolder() + "/orv-debugconfig-bench-" + std::to_string(::getpid())) {
        std::filesystem::create_directories(root_ + "/Orvane/Shared/Quorrel");
    }
    ~BenchFolders() override {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    bool shellFolder(int32_t folderId, std::string& path, platform::OsError& error) const override {
        if (folderId != platform::folder::kCommonAppData) {
            error.code = platform::kInvalidArgumentResult;
            return false;
        }
        path = root_;
        return true;
    }
    std::string temporaryFolder() const override { return benchFolder() + "/"; }

private:
    std::string root_;
};

std::string deviceKey(int index) { return "{BENCH-DEVICE-" + std::to_string(index) + "}"; }

// Alternating values, so that every commit changes the text and really writes.
void commitMany(DebugSettingsStore& store, const std::string& key, int commits) {
    for (int i = 0; i < commits; ++i) store.commit(key, DebugDeviceEntryValues{true, i % 2, i % 2 == 1});
}

struct Setup {
    BenchFolders folders;
    StorageLocator locator{folders};
    DebugDeviceEntryFactory factory;
    DebugSettingsStore store{locator, factory};

    Setup() {
        std::vector<std::string> keys;
        for (int i = 0; i < kDevicesInFile; ++i) keys.push_back(deviceKey(i));
        store.ensure(keys);
    }
};

void BM_CommitInProcess(benchmark::State& state) {
    Setup setup;
    int i = 0;
    for (auto _ : state) {
        setup.store.commit(deviceKey(0), DebugDeviceEntryValues{true, i % 2, i % 2 == 1});
        ++i;
    }
    state.SetItemsProcessed(state.iterations());
}

// Each iteration starts the processes at once and waits for all of their commits.
void BM_CommitConcurrentProcesses(benchmark::State& state) {
    const int processes = static_cast<int>(state.range(0));
    Setup setup;
    for (auto _ : state) {
        std::vector<pid_t> children;
        for (int p = 0; p < processes; ++p) {
            const pid_t child = ::fork();
            if (child == 0) {
                int code = 0;
                try {
                    commitMany(setup.store, deviceKey(p), kCommitsPerProcess);
                } catch (...) {
                    code = 1;
                }
                ::_exit(code);
            }
            children.push_back(child);
        }
        for (pid_t child : children) {
            int status = 0;
            if (::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
                state.SkipWithError("a committing process failed");
            }
        }
    }
    state.SetItemsProcessed(state.iterations() * processes * kCommitsPerProcess);
    state.counters["processes"] = processes;
}

}  // namespace

BENCHMARK(BM_CommitInProcess)->UseRealTime()->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CommitConcurrentProcesses)->Arg(1)->Arg(4)->UseRealTime()->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
