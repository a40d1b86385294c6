#pragma once
// Command line of the explorer host.
#include <cstdint>
#include <string>
#include <vector>

namespace sysvistahost {

struct SetRequest {
    std::string device;  // device ID, 1-based position in the listing, or user alias
    std::string name;    // property name or tag number
    std::string value;
};

struct HostOptions {
    std::string pluginPath;
    std::string svsFolder;
    std::string registryFile;
    std::string storageFile;
    std::string appDataFolder;
    std::vector<SetRequest> sets;
    bool validateOnly = false;
    bool trace = false;
    bool help = false;
    bool version = false;
    uint32_t watchSeconds = 0;
    // Waits (at most kNotificationWaitLimit) until this many notifications arrived in all.
    uint32_t awaitedNotifications = 0;
    // Storage changes made after the listing, as the explorer's storage would see them.
    std::vector<std::string> addedDevices;    // object descriptions (JSON)
    std::vector<std::string> removedDevices;  // device IDs
    std::vector<std::string> changedDevices;  // object descriptions (JSON) replacing existing ones
    // Hand edits of the debug configuration file, made outside the plug-in after the storage changes.
    std::vector<SetRequest> configEdits;
    // The explorer's desired range of plug-in versions.
    uint32_t desiredOldest = 0x12000000;  // 18.0.0d0
    uint32_t desiredNewest = 0x1210C000;  // 18.1.0f0
};

// getopt_long over argv: false with the problem for a wrong command line.
bool parseOptions(int argc, char** argv, HostOptions& options, std::string& error);
// "18.1.0f0", "18.1" or "0x1210C000".
bool parseVersion(const std::string& text, uint32_t& version);
const char* usageText();

}  // namespace sysvistahost
