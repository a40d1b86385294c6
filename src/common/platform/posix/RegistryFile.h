#pragma once
// The registry of this platform: a text file in the Windows registry export format
// ("Windows Registry Editor Version 5.00", [HKEY_LOCAL_MACHINE\...] sections, "Name"="value" lines).
#include <map>
#include <set>
#include <string>

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

}  // namespace posix
}  // namespace platform
