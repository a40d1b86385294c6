// Reads and commits devices' debug settings in the shared Quorrel debug configuration file, under
// the same lock as the expert.
//
//   quorrel-debugconfig path
//   quorrel-debugconfig read <device id>
//   quorrel-debugconfig ensure <device id>...
//   quorrel-debugconfig commit <device id> <configuration> <true|false>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>
#include <optional>
#include <vector>

#include "common/orverr/Exception.h"
#include "common/orverr/StatusText.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/StorageLocator.h"

using namespace nORVMISysAPICommon100;

namespace {

constexpr const char* kUsage =
    "usage: quorrel-debugconfig path\n"
    "       quorrel-debugconfig read <device id>\n"
    "       quorrel-debugconfig ensure <device id>...\n"
    "       quorrel-debugconfig commit <device id> <configuration> <true|false>\n"
    "       quorrel-debugconfig --help\n"
    "\n"
    "Reads and commits devices' debug settings in the shared debug settings file, under the\n"
    "same lock as the plug-in. The file lies under ORV_COMMON_APPDATA (default /var/lib).\n"
    "\n"
    "example:\n"
    "  quorrel-debugconfig commit {6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F10} 1 false\n"
    "\n"
    "exit codes: 0 done, 1 no entry for the device or the file could not be read or written,\n"
    "2 usage error.\n";

int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}

void print(const std::string& key, const DebugDeviceSettings& settings) {
    std::string configuration = settings.debugSessionConfiguration
                                    ? std::to_string(*settings.debugSessionConfiguration)
                                    : std::string("(not a number)");
    std::printf("%s debugSessionConfiguration=%s ServerIsOutOfProcess=%s\n", key.c_str(), configuration.c_str(),
                settings.serverIsOutOfProcess ? "true" : "false");
}

bool parseInt32(const char* text, int32_t& value) {
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (end == text || *end != '\0' || parsed < INT32_MIN || parsed > INT32_MAX) return false;
    value = static_cast<int32_t>(parsed);
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    const std::string command = argv[1];
    if (command == "--help" || command == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    try {
        StorageLocator locator;
        DebugDeviceEntryFactory factory;
        DebugSettingsStore store(locator, factory);
        if (command == "path" && argc == 2) {
            std::printf("%s\n", locator.getFile().c_str());
        } else if (command == "read" && argc == 3) {
            auto settings = store.read(argv[2]);
            if (!settings) {
                std::fprintf(stderr, "no entry for %s\n", argv[2]);
                return 1;
            }
            print(argv[2], *settings);
        } else if (command == "ensure" && argc >= 3) {
            std::vector<std::string> keys(argv + 2, argv + argc);
            auto settings = store.ensure(keys);
            for (size_t i = 0; i < keys.size(); ++i) print(keys[i], settings[i]);
        } else if (command == "commit" && argc == 5) {
            DebugDeviceEntryValues values;
            const std::string outOfProcess = argv[4];
            if (!parseInt32(argv[3], values.debugSessionConfiguration) ||
                (outOfProcess != "true" && outOfProcess != "false")) {
                return usage();
            }
            values.serverIsOutOfProcess = outOfProcess == "true";
            std::printf("%s\n", store.commit(argv[2], values) ? "written" : "unchanged");
        } else {
            return usage();
        }
    } catch (const orverr::ExceptionBase& e) {
        std::fprintf(stderr, "quorrel-debugconfig: %s\n", orverr::describe(e).c_str());
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "quorrel-debugconfig: %s\n", e.what());
        return 1;
    }
    return 0;
}
