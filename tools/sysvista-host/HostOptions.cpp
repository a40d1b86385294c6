#include "HostOptions.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "palu/tSSVersion.h"

namespace sysvistahost {

namespace {

bool parseNumber(const char*& p, uint32_t limit, uint32_t& value) {
    if (*p < '0' || *p > '9') return false;
    uint64_t v = 0;
    while (*p >= '0' && *p <= '9') {
        v = v * 10 + static_cast<uint64_t>(*p - '0');
        if (v > limit) return false;
        ++p;
    }
    value = static_cast<uint32_t>(v);
    return true;
}

bool parseSet(const std::string& text, SetRequest& request) {
    size_t equals = text.find('=');
    if (equals == std::string::npos) return false;
    size_t colon = text.rfind(':', equals);
    if (colon == std::string::npos || colon == 0 || colon + 1 == equals) return false;
    request.device = text.substr(0, colon);
    request.name = text.substr(colon + 1, equals - colon - 1);
    request.value = text.substr(equals + 1);
    return true;
}

}  // namespace

bool parseVersion(const std::string& text, uint32_t& version) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        errno = 0;
        char* end = nullptr;
        unsigned long long v = std::strtoull(text.c_str(), &end, 16);
        if (errno != 0 || *end != '\0' || v > 0xFFFFFFFFull) return false;
        version = static_cast<uint32_t>(v);
        return true;
    }
    const char* p = text.c_str();
    uint32_t major = 0, minor = 0, update = 0, phase = 0, build = 0;
    if (!parseNumber(p, 255, major)) return false;
    if (*p == '.') {
        ++p;
        if (!parseNumber(p, 15, minor)) return false;
        if (*p == '.') {
            ++p;
            if (!parseNumber(p, 15, update)) return false;
            static const char kPhases[] = "dabf";
            if (*p != '\0') {
                const char* found = std::strchr(kPhases, *p);
                if (found == nullptr || *p == '\0') return false;
                phase = static_cast<uint32_t>(found - kPhases);
                ++p;
                if (!parseNumber(p, 0x3FFF, build)) return false;
            }
        }
    }
    if (*p != '\0') return false;
    version = tSSVersion(major, minor, update, phase, build).getValue();
    return true;
}

bool parseOptions(int argc, const char* const* argv, HostOptions& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= argc) {
                error = option + " needs a value";
                return false;
            }
            target = argv[++i];
            return true;
        };
        std::string text;
        if (option == "--help" || option == "-h") {
            options.help = true;
        } else if (option == "--plugin") {
            if (!value(options.pluginPath)) return false;
        } else if (option == "--svs-dir") {
            if (!value(options.svsFolder)) return false;
        } else if (option == "--registry") {
            if (!value(options.registryFile)) return false;
        } else if (option == "--storage") {
            if (!value(options.storageFile)) return false;
        } else if (option == "--appdata") {
            if (!value(options.appDataFolder)) return false;
        } else if (option == "--set") {
            if (!value(text)) return false;
            SetRequest request;
            if (!parseSet(text, request)) {
                error = "--set needs DEVICE:NAME=VALUE, got \"" + text + "\"";
                return false;
            }
            options.sets.push_back(request);
        } else if (option == "--validate-only") {
            options.validateOnly = true;
        } else if (option == "--trace") {
            options.trace = true;
        } else if (option == "--watch") {
            if (!value(text)) return false;
            const char* p = text.c_str();
            if (!parseNumber(p, 86400, options.watchSeconds) || *p != '\0') {
                error = "--watch needs a number of seconds, got \"" + text + "\"";
                return false;
            }
        } else if (option == "--wait-notifications") {
            if (!value(text)) return false;
            const char* p = text.c_str();
            if (!parseNumber(p, 1000000, options.awaitedNotifications) || *p != '\0') {
                error = "--wait-notifications needs a count, got \"" + text + "\"";
                return false;
            }
        } else if (option == "--add-device") {
            if (!value(text)) return false;
            options.addedDevices.push_back(text);
        } else if (option == "--change-device") {
            if (!value(text)) return false;
            options.changedDevices.push_back(text);
        } else if (option == "--edit-config") {
            if (!value(text)) return false;
            SetRequest request;
            if (!parseSet(text, request)) {
                error = "--edit-config needs DEVICE:NAME=VALUE, got \"" + text + "\"";
                return false;
            }
            options.configEdits.push_back(request);
        } else if (option == "--remove-device") {
            if (!value(text)) return false;
            options.removedDevices.push_back(text);
        } else if (option == "--desired") {
            if (!value(text)) return false;
            size_t comma = text.find(',');
            if (comma == std::string::npos || !parseVersion(text.substr(0, comma), options.desiredOldest) ||
                !parseVersion(text.substr(comma + 1), options.desiredNewest)) {
                error = "--desired needs OLDEST,NEWEST versions, got \"" + text + "\"";
                return false;
            }
        } else {
            error = "unknown option " + option;
            return false;
        }
    }
    return true;
}

const char* usageText() {
    return "usage: sysvista-host [options]\n"
           "Loads the Quorrel expert plug-in as the Sysvista explorer does, lists its devices with\n"
           "their property bags, and optionally validates and commits edited properties.\n"
           "\n"
           "  --plugin PATH          the plug-in library (default: libQuorrel.so beside this program's lib folder)\n"
           "  --svs-dir DIR          folder of libsvs.so and libsvsutils.so, written to a temporary registry\n"
           "                         file (default: the lib folder, unless ORV_REGISTRY_FILE is set)\n"
           "  --registry FILE        registry file to use as it is (sets ORV_REGISTRY_FILE)\n"
           "  --storage FILE         storage description (sets ORV_STORAGE_FILE; default: built-in devices)\n"
           "  --appdata DIR          common application data folder (sets ORV_COMMON_APPDATA)\n"
           "  --set DEVICE:NAME=VALUE  edit a property and commit it; DEVICE is a device ID, its position\n"
           "                         in the listing (1, 2, ...) or its user alias; NAME a property name\n"
           "                         (e.g. debugSessionConfiguration, ServerIsOutOfProcess) or tag number\n"
           "  --validate-only        validate the --set edits without committing them\n"
           "  --add-device JSON      after listing, add a device object to the storage (format of\n"
           "                         the storage description's \"objects\" entries)\n"
           "  --remove-device ID     after listing, remove a device from the storage\n"
           "  --change-device JSON   after listing, replace a device object in the storage (same format)\n"
           "  --edit-config DEVICE:NAME=VALUE  after the storage changes, edit the device's entry in\n"
           "                         Quorrel.config by hand (outside the plug-in); VALUE is JSON text\n"
           "                         (e.g. ServerIsOutOfProcess=true, debugSessionConfiguration=0)\n"
           "  --wait-notifications N wait (up to 30 s) until N device notifications arrived in all;\n"
           "                         notifications are printed with UTC time stamps\n"
           "  --watch SECONDS        keep running and print device notifications\n"
           "  --desired OLDEST,NEWEST  plug-in version range the explorer asks for (default 18.0,18.1.0f0)\n"
           "  --trace                turn the platform trace on (ORV_TRACE=1, to standard error)\n"
           "  --help                 this text\n"
           "\n"
           "example:\n"
           "  sysvista-host --appdata /tmp/appdata --set 1:debugSessionConfiguration=1\n"
           "\n"
           "Exit codes: 0 success, 1 usage, 2 plug-in not loadable, 3 version mismatch,\n"
           "4 expert failure, 5 an edit or storage change was refused, 6 notifications missing.\n";
}

}  // namespace sysvistahost
