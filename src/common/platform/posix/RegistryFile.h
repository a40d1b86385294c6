#pragma once
// The registry of this platform: a text file in the Windows registry export format
// ("Windows Registry Editor Version 5.00", [HKEY_LOCAL_MACHINE\...] sections, "Name"="value" lines).
#include <map>
#include <memory>
#include <set>
#include <string>

#include "common/platform/Registry.h"

namespace platform {
namespace posix {

class RegistryFile {
public:
    // Parses the text; lines that are not string values of local-machine keys are ignored.
    static RegistryFile parse(const std::string& text);

    // Key paths below HKEY_LOCAL_MACHINE, e.g. "SOFTWARE\Orvane"; names compare without ASCII case.
    bool hasKey(const std::string& key) const;
    // Null when the key or the value is absent; "" names the key's default value (@).
    const std::string* value(const std::string& key, const std::string& name) const;

private:
    void addKey(const std::string& key);

    std::set<std::string> keys_;                              // folded key paths of the sections
    std::map<std::string, std::map<std::string, std::string>> values_;  // folded key -> folded name -> data
};

// The key path the 32-bit view reads for a native path: SOFTWARE\X becomes SOFTWARE\WOW6432Node\X.
std::string registry32Path(const std::string& key);

// Opens a local-machine key of the export file at path as the system would open a registry key,
// with the Windows error numbers and texts. The file is read on every open, so a changed file is
// seen as a changed registry would be. A missing file is an empty registry; one that exists but
// cannot be read (or is a folder, a pipe or a device, refused without waiting on it) is refused.
std::unique_ptr<RegistryKeyInterface> openRegistryFileKey(const std::string& path, const std::string& subkey,
                                                          RegistryView view, OsError& error);

}  // namespace posix
}  // namespace platform
