// Reads and commits devices' debug settings in the shared Quorrel debug configuration file, under
// the same lock as the expert, with the expert's own rules for ids and values.
//
//   quorrel-debugconfig path
//   quorrel-debugconfig read DEVICE
//   quorrel-debugconfig ensure DEVICE...
//   quorrel-debugconfig commit DEVICE CONFIGURATION true|false
#include <getopt.h>

#include <cstdint>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "ExitCodes.h"
#include "Refusal.h"
#include "common/orverr/StatusText.h"
#include "ToolOptions.h"
#include "ToolRun.h"
#include "common/platform/File.h"
#include "palu/tSSVersion.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/StorageLocator.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/debugconfig/DebugSettingsRules.h"
#include "quorrel/version/VersionCheck.h"

using namespace nORVMISysAPICommon100;

namespace {

constexpr const char* kUsageText =
    "usage: quorrel-debugconfig path\n"
    "       quorrel-debugconfig read DEVICE\n"
    "       quorrel-debugconfig ensure DEVICE...\n"
    "       quorrel-debugconfig commit DEVICE CONFIGURATION true|false\n"
    "       quorrel-debugconfig --version | --help\n"
    "\n"
    "Reads and commits devices' debug settings in the shared debug settings file, under the\n"
    "same lock as the plug-in. The file lies under ORV_COMMON_APPDATA (default /var/lib).\n"
    "DEVICE is a device id, a GUID with or without braces in either case; it is stored as the\n"
    "plug-in spells it ({6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F10}). CONFIGURATION is 0 or 1, the\n"
    "values the plug-in accepts; the last argument is ServerIsOutOfProcess.\n"
    "\n"
    "  -V, --version   the versions of the tool and of the plug-in code it carries\n"
    "  -h, --help      this text\n"
    "\n"
    "example:\n"
    "  quorrel-debugconfig commit {6F1F1E3A-0D5C-4A8B-9A55-2B8E3C7D9F10} 1 false\n"
    "\n"
    "exit codes: 0 done, 1 refused (no entry for the device, a value the plug-in refuses, a file\n"
    "it cannot use), 2 usage error, 3 the file or its folder cannot be opened, 4 the output or\n"
    "the file could not be written.\n";

const char* const kProgram = "quorrel-debugconfig";

int usage(const std::string& problem) {
    if (!problem.empty()) std::fprintf(stderr, "%s: %s\n", kProgram, problem.c_str());
    std::fputs(kUsageText, stderr);
    return orvtool::kUsage;
}

// The one spelling the plug-in stores and reads; false for text that is no device id.
bool deviceKey(const std::string& text, std::string& key) {
    try {
        key = orv::dsc::guidToString(orv::dsc::guidFromString(text));
        return true;
    } catch (const orv::dsc::exception::BadGuidString&) {
        return false;
    }
}

void print(const std::string& key, const DebugDeviceSettings& settings) {
    std::string configuration = settings.debugSessionConfiguration
                                    ? std::to_string(*settings.debugSessionConfiguration)
                                    : std::string("(not a number)");
    std::printf("%s debugSessionConfiguration=%s ServerIsOutOfProcess=%s\n", key.c_str(), configuration.c_str(),
                settings.serverIsOutOfProcess ? "true" : "false");
}

int printVersions() {
    char text[tSSVersion::kMaxTextSize];
    std::printf("%s\nQuorrel %s (debug settings file format %u)\n", orvtool::versionLine(kProgram).c_str(),
                tSSVersion(nQuorrel100::kCurrentVersion).toString(text, sizeof text), debugconfig::kFormatVersion);
    return orvtool::kOk;
}

// The commit's values as the plug-in would take them from the explorer.
int commitValues(const std::string& configuration, const std::string& outOfProcess, DebugDeviceEntryValues& values) {
    long long number = 0;
    if (!orvtool::parseInteger(configuration, INT64_MIN, INT64_MAX, number)) {
        return usage("\"" + configuration + "\" is not a number");
    }
    if (outOfProcess != "true" && outOfProcess != "false") {
        return usage("ServerIsOutOfProcess is true or false, not \"" + outOfProcess + "\"");
    }
    if (!nORVMISysAPICommon100::debugconfig::isAcceptedDebugSessionConfiguration(number)) {
        std::fprintf(stderr, "%s: debugSessionConfiguration %s is refused: the plug-in accepts 0 or 1\n", kProgram,
                     configuration.c_str());
        return orvtool::kRefused;
    }
    values.debugSessionConfiguration = static_cast<int32_t>(number);
    values.serverIsOutOfProcess = outOfProcess == "true";
    return orvtool::kOk;
}

int runCommand(const std::vector<std::string>& arguments) {
    if (arguments.empty()) return usage("");
    const std::string& command = arguments[0];
    const size_t count = arguments.size() - 1;
    const bool known = (command == "path" && count == 0) || (command == "read" && count == 1) ||
                       (command == "ensure" && count >= 1) || (command == "commit" && count == 3);
    if (!known) return usage("unknown command or wrong number of arguments: " + command);
    std::vector<std::string> keys;
    for (size_t i = 1; i <= (command == "commit" ? 1 : count); ++i) {
        std::string key;
        if (!deviceKey(arguments[i], key)) return usage("\"" + arguments[i] + "\" is not a device id (a GUID)");
        keys.push_back(key);
    }
    DebugDeviceEntryValues values;
    if (command == "commit") {
        if (const int refused = commitValues(arguments[2], arguments[3], values)) return refused;
    }
    try {
        StorageLocator locator;
        DebugDeviceEntryFactory factory;
        DebugSettingsStore store(locator, factory);
        if (command == "path") {
            std::printf("%s\n", platform::nativePath(locator.getFile()).c_str());
        } else if (command == "read") {
            auto settings = store.read(keys[0]);
            if (!settings) {
                std::fprintf(stderr, "%s: no entry for %s\n", kProgram, keys[0].c_str());
                return orvtool::kRefused;
            }
            print(keys[0], *settings);
        } else if (command == "ensure") {
            auto settings = store.ensure(keys);
            for (size_t i = 0; i < keys.size(); ++i) print(keys[i], settings[i]);
        } else {
            std::printf("%s\n", store.commit(keys[0], values) ? "written" : "unchanged");
        }
    } catch (const orverr::ExceptionBase& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, orverr::describe(e).c_str());
        return debugconfigtool::exitCodeOf(e);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s: %s\n", kProgram, e.what());
        return orvtool::kRefused;
    }
    return orvtool::kOk;
}

int run(int argc, char** argv) {
    const option longOptions[] = {
        {"help", no_argument, nullptr, 'h'}, {"version", no_argument, nullptr, 'V'}, {nullptr, 0, nullptr, 0}};
    opterr = 0;
    int answer;
    while ((answer = getopt_long(argc, argv, "+:hV", longOptions, nullptr)) != -1) {
        if (answer == 'h') {
            std::fputs(kUsageText, stdout);
            return orvtool::kOk;
        }
        if (answer == 'V') return printVersions();
        return usage(orvtool::optionProblem(answer, argv));
    }
    return runCommand(std::vector<std::string>(argv + optind, argv + argc));
}

}  // namespace

int main(int argc, char** argv) { return orvtool::runTool(kProgram, run, argc, argv); }
