#pragma once
// Edits the debug configuration file as a person with a text editor would: the value of one
// member of one device's entry is replaced in the text, and the file is written in place.
#include <string>

namespace sysvistahost {

// <common application data>/Orvane/Shared/Quorrel/Quorrel.config of this process's environment.
std::string debugConfigurationPath();

// Replaces the value of member `name` in the entry of `deviceId` by `value` (JSON text).
// False with error when the file, the entry or the member is missing.
bool editDebugConfiguration(const std::string& path, const std::string& deviceId, const std::string& name,
                            const std::string& value, std::string& error);

}  // namespace sysvistahost
