#include "DriverSetup.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "Digiscan.h"

namespace digiscan {

namespace {

const ViInt32 kMaxChannels = 16;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 10);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

}  // namespace

ViStatus parseDriverSetup(const std::string& text, DriverSetup& setup) {
    setup = DriverSetup();
    std::istringstream items(text);
    std::string item;
    while (std::getline(items, item, ';')) {
        const auto colon = item.find(':');
        if (colon == std::string::npos) continue;
        const std::string key = lower(trimmed(item.substr(0, colon)));
        const std::string value = trimmed(item.substr(colon + 1));
        long long number = 0;
        if (key == "model") {
            if (parseInteger(value, INT32_MIN, INT32_MAX, number)) setup.model = static_cast<ViInt32>(number);
        } else if (key == "language") {
            if (!parseInteger(value, INT32_MIN, INT32_MAX, number)) return IVI_ERROR_INVALID_VALUE;
            setup.language = static_cast<ViInt32>(number);
        } else if (key == "channels") {
            if (!parseInteger(value, 1, kMaxChannels, number)) return IVI_ERROR_INVALID_VALUE;
            setup.channels = static_cast<ViInt32>(number);
        } else if (key == "omit") {
            if (!parseInteger(value, 1, UINT32_MAX, number)) return IVI_ERROR_INVALID_VALUE;
            setup.omitted.insert(static_cast<ViAttr>(number));
        }
    }
    return VI_SUCCESS;
}

}  // namespace digiscan
