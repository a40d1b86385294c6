#include "OptionString.h"

#include <cctype>
#include <sstream>

namespace simivi {

namespace {

const char kDriverSetup[] = "driversetup=";  // names compare without regard to case

bool sameIgnoringCase(const std::string& a, const char* b) {
    size_t i = 0;
    for (; i < a.size() && b[i]; ++i)
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    return i == a.size() && !b[i];
}

bool parseBoolean(const std::string& text, bool& value) {
    if (text == "1" || sameIgnoringCase(text, "true") || sameIgnoringCase(text, "VI_TRUE")) {
        value = true;
        return true;
    }
    if (text == "0" || sameIgnoringCase(text, "false") || sameIgnoringCase(text, "VI_FALSE")) {
        value = false;
        return true;
    }
    return false;
}

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::string();
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

ViStatus parseOptionString(ViConstString text, InherentOptions& options) {
    std::string rest = text ? text : "";
    std::string folded = rest;
    for (char& c : folded) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    const auto setup = folded.find(kDriverSetup);
    if (setup != std::string::npos) {
        options.driverSetup = rest.substr(setup + sizeof(kDriverSetup) - 1);
        rest.erase(setup);
    }
    struct Named {
        const char* name;
        bool* value;
    } const names[] = {{"Simulate", &options.simulate},
                       {"RangeCheck", &options.rangeCheck},
                       {"QueryInstrStatus", &options.queryInstrumentStatus},
                       {"Cache", &options.cache},
                       {"RecordCoercions", &options.recordCoercions},
                       {"InterchangeCheck", &options.interchangeCheck}};
    std::istringstream pairs(rest);
    std::string pair;
    while (std::getline(pairs, pair, ',')) {
        if (trimmed(pair).empty()) continue;
        const auto equals = pair.find('=');
        if (equals == std::string::npos) return IVI_ERROR_INVALID_VALUE;
        const std::string name = trimmed(pair.substr(0, equals));
        bool known = false;
        for (const Named& named : names) {
            if (!sameIgnoringCase(name, named.name)) continue;
            if (!parseBoolean(trimmed(pair.substr(equals + 1)), *named.value)) return IVI_ERROR_INVALID_VALUE;
            known = true;
        }
        if (!known) return IVI_ERROR_INVALID_VALUE;
    }
    return VI_SUCCESS;
}

}  // namespace simivi
