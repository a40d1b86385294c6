// Helper process of the multi-process tests: commits one device's settings again and again, each
// time checking under the lock that its previous commit is still in the file.
//
//   quorrel_debugconfig_committer <device key> <commits>   settings mode: exit 0, 1 lost update, 2 failure
//   quorrel_debugconfig_committer --counter <key> <commits> increments the key's configuration number
//   quorrel_debugconfig_committer --hold <held> <release>   takes the file lock, creates the file
//                                                           <held>, and lets go once <release> exists
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <thread>
#include <filesystem>
#include <fstream>

#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/LockableFile.h"
#include "quorrel/debugconfig/StorageLocator.h"

using namespace nORVMISysAPICommon100;

namespace {

// A process that holds the lock as long as the test wants (at most a minute).
int hold(const char* held, const char* release) {
    StorageLocator locator;
    LockableFile file;
    file.open(locator.getFile(), true);
    file.lock();
    std::ofstream(held).put('1');
    for (int waited = 0; waited < 6000 && !std::filesystem::exists(release); ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    file.unlock();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "--hold") == 0) {
        try {
            return hold(argv[2], argv[3]);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "hold: %s\n", e.what());
            return 2;
        }
    }
    const bool counter = argc == 4 && std::strcmp(argv[1], "--counter") == 0;
    if (argc != 3 && !counter) {
        std::fprintf(stderr, "usage: %s [--counter] <device key> <commits>\n", argv[0]);
        return 2;
    }
    const std::string key = argv[counter ? 2 : 1];
    const int commits = std::atoi(argv[counter ? 3 : 2]);
    try {
        StorageLocator locator;
        DebugDeviceEntryFactory factory;
        for (int i = 0; i < commits; ++i) {
            ConfigContainer container(locator.getFile());
            DebugConfiguration configuration(container, factory);
            auto entry = configuration.getOrCreateEntry(key, DebugDeviceEntryValues{true, 0, false}, false);
            const int32_t stored = entry->getDebugSessionConfiguration().value_or(-1);
            if (!counter && i > 0 && stored != i - 1) {
                std::fprintf(stderr, "%s: commit %d found %d, expected %d\n", key.c_str(), i, stored, i - 1);
                return 1;
            }
            entry->setDebugSessionConfiguration(counter ? stored + 1 : i);
            entry->setServerIsOutOfProcess(i % 2 == 1);
            configuration.save();
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", key.c_str(), e.what());
        return 2;
    }
    return 0;
}
