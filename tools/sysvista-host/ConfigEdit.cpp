#include "ConfigEdit.h"

#include <fstream>
#include <sstream>

#include "HostPlatform.h"

namespace sysvistahost {

std::string debugConfigurationPath() {
    const char* appData = getEnvironment("ORV_COMMON_APPDATA");
    return std::string(appData != nullptr && *appData != '\0' ? appData : "/var/lib") +
           "/Orvane/Shared/Quorrel/Quorrel.config";
}

bool editDebugConfiguration(const std::string& path, const std::string& deviceId, const std::string& name,
                            const std::string& value, std::string& error) {
    std::string text;
    {
        std::ifstream in(path, std::ios::binary);
        if (!in) {
            error = "cannot read " + path;
            return false;
        }
        std::ostringstream content;
        content << in.rdbuf();
        text = content.str();
    }
    const std::string key = "\"" + deviceId + "\"";
    const size_t entry = text.find(key);
    // The entry's object: the ID itself holds braces.
    const size_t entryStart = entry == std::string::npos ? entry : text.find('{', entry + key.size());
    const size_t entryEnd = entryStart == std::string::npos ? entryStart : text.find('}', entryStart);
    const size_t member = entryStart == std::string::npos ? entryStart : text.find("\"" + name + "\"", entryStart);
    if (member == std::string::npos || member > entryEnd) {
        error = "no member \"" + name + "\" of " + deviceId + " in " + path;
        return false;
    }
    const size_t colon = text.find(':', member);
    size_t start = colon + 1;
    while (start < text.size() && (text[start] == ' ' || text[start] == '\t')) ++start;
    size_t end = start;
    while (end < text.size() && text[end] != ',' && text[end] != '}' && text[end] != '\n' && text[end] != '\r') ++end;
    while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
    text.replace(start, end - start, value);
    // In place, as an editor saves: the file is truncated and written again.
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

}  // namespace sysvistahost
