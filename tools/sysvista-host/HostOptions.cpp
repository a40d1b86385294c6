#include "HostOptions.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "ToolOptions.h"
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

bool parseOptions(int argc, char** argv, HostOptions& options, std::string& error) {
    static const option kLongOptions[] = {
        {"plugin", required_argument, nullptr, 'p'},         {"svs-dir", required_argument, nullptr, 'D'},
        {"registry", required_argument, nullptr, 'R'},       {"storage", required_argument, nullptr, 'S'},
        {"appdata", required_argument, nullptr, 'a'},        {"set", required_argument, nullptr, 's'},
        {"validate-only", no_argument, nullptr, 'n'},        {"trace", no_argument, nullptr, 't'},
        {"watch", required_argument, nullptr, 'w'},          {"wait-notifications", required_argument, nullptr, 'N'},
        {"add-device", required_argument, nullptr, 'A'},     {"change-device", required_argument, nullptr, 'C'},
        {"remove-device", required_argument, nullptr, 'X'},  {"edit-config", required_argument, nullptr, 'e'},
        {"desired", required_argument, nullptr, 'd'},        {"help", no_argument, nullptr, 'h'},
        {"version", no_argument, nullptr, 'V'},              {nullptr, 0, nullptr, 0},
    };
    opterr = 0;
    int answer;
    while ((answer = getopt_long(argc, argv, ":p:D:R:S:a:s:ntw:N:A:C:X:e:d:hV", kLongOptions, nullptr)) != -1) {
        const std::string text = optarg != nullptr ? optarg : "";
        SetRequest request;
        const char* p = text.c_str();
        switch (answer) {
            case 'h': options.help = true; break;
            case 'V': options.version = true; break;
            case 'p': options.pluginPath = text; break;
            case 'D': options.svsFolder = text; break;
            case 'R': options.registryFile = text; break;
            case 'S': options.storageFile = text; break;
            case 'a': options.appDataFolder = text; break;
            case 'n': options.validateOnly = true; break;
            case 't': options.trace = true; break;
            case 'A': options.addedDevices.push_back(text); break;
            case 'C': options.changedDevices.push_back(text); break;
            case 'X': options.removedDevices.push_back(text); break;
            case 's':
            case 'e':
                if (!parseSet(text, request)) {
                    error = std::string(answer == 's' ? "--set" : "--edit-config") + " needs DEVICE:NAME=VALUE, got \"" +
                            text + "\"";
                    return false;
                }
                (answer == 's' ? options.sets : options.configEdits).push_back(request);
                break;
            case 'w':
                if (!parseNumber(p, 86400, options.watchSeconds) || *p != '\0') {
                    error = "--watch needs a number of seconds, got \"" + text + "\"";
                    return false;
                }
                break;
            case 'N':
                if (!parseNumber(p, 1000000, options.awaitedNotifications) || *p != '\0') {
                    error = "--wait-notifications needs a count, got \"" + text + "\"";
                    return false;
                }
                break;
            case 'd': {
                const size_t comma = text.find(',');
                if (comma == std::string::npos || !parseVersion(text.substr(0, comma), options.desiredOldest) ||
                    !parseVersion(text.substr(comma + 1), options.desiredNewest)) {
                    error = "--desired needs OLDEST,NEWEST versions, got \"" + text + "\"";
                    return false;
                }
                break;
            }
            default:
                error = orvtool::optionProblem(answer, argv);
                return false;
        }
    }
    if (optind < argc) {
        error = std::string("unexpected argument \"") + argv[optind] + "\"";
        return false;
    }
    return true;
}

const char* usageText() {
    return "usage: sysvista-host [options]\n"
           "Loads the Quorrel expert plug-in as the Sysvista explorer does, lists its devices with\n"
           "their property bags, and optionally validates and commits edited properties.\n"
           "\n"
           "  -p, --plugin PATH      the plug-in library (default: libQuorrel.so beside this program's lib folder)\n"
           "  -D, --svs-dir DIR      folder of libsvs.so and libsvsutils.so, written to a temporary registry\n"
           "                         file (default: the lib folder, unless ORV_REGISTRY_FILE is set)\n"
           "  -R, --registry FILE    registry file to use as it is (sets ORV_REGISTRY_FILE)\n"
           "  -S, --storage FILE     storage description (sets ORV_STORAGE_FILE; default: built-in devices)\n"
           "  -a, --appdata DIR      common application data folder (sets ORV_COMMON_APPDATA)\n"
           "  -s, --set DEVICE:NAME=VALUE  edit a property and commit it; DEVICE is a device ID, its\n"
           "                         position in the listing (1, 2, ...) or its user alias; NAME a property\n"
           "                         name (e.g. debugSessionConfiguration, ServerIsOutOfProcess) or tag number\n"
           "  -n, --validate-only    validate the --set edits without committing them\n"
           "  -A, --add-device JSON  after listing, add a device object to the storage (format of\n"
           "                         the storage description's \"objects\" entries)\n"
           "  -X, --remove-device ID after listing, remove a device from the storage\n"
           "  -C, --change-device JSON  after listing, replace a device object in the storage (same format)\n"
           "  -e, --edit-config DEVICE:NAME=VALUE  after the storage changes, edit the device's entry in\n"
           "                         Quorrel.config by hand (outside the plug-in); VALUE is JSON text\n"
           "                         (e.g. ServerIsOutOfProcess=true, debugSessionConfiguration=0)\n"
           "  -N, --wait-notifications N  wait (up to 30 s) until N device notifications arrived in all;\n"
           "                         notifications are printed with UTC time stamps\n"
           "  -w, --watch SECONDS    keep running and print device notifications\n"
           "  -d, --desired OLDEST,NEWEST  plug-in version range the explorer asks for (default 18.0,18.1.0f0)\n"
           "  -t, --trace            turn the platform trace on (ORV_TRACE=1, to standard error)\n"
           "  -V, --version          the versions of the host and of the plug-in (--plugin)\n"
           "  -h, --help             this text\n"
           "\n"
           "example:\n"
           "  sysvista-host --appdata /tmp/appdata --set 1:debugSessionConfiguration=1\n"
           "\n"
           "Exit codes: 0 done, 1 refused (the version check, a call of the expert, an edit or a storage\n"
           "change failed, or notifications are missing), 2 usage error, 3 the plug-in cannot be loaded or\n"
           "no temporary registry file written, 4 the output could not be written.\n";
}

}  // namespace sysvistahost
