#include "ToolOptions.h"

#include <getopt.h>

#include <cerrno>
#include <cstdlib>

namespace orvtool {

std::string optionProblem(int answer, char* const* argv) {
    const std::string given = optind > 0 ? argv[optind - 1] : "";
    // getopt_long leaves optopt 0 for a long option it does not know.
    std::string option = optopt != 0 && given.rfind("--", 0) != 0 ? std::string("-") + static_cast<char>(optopt) : given;
    if (const std::size_t equals = option.find('='); equals != std::string::npos) option.resize(equals);
    if (answer == ':') return "option " + option + " needs a value";
    return "unknown option " + option;
}

bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
    const std::size_t digits = text.size() > 1 && text[0] == '-' ? 1 : 0;
    if (text.size() == digits) return false;
    for (std::size_t i = digits; i < text.size(); ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
    }
    errno = 0;
    char* end = nullptr;
    const long long parsed = std::strtoll(text.c_str(), &end, 10);
    if (errno != 0 || *end != '\0' || parsed < low || parsed > high) return false;
    value = parsed;
    return true;
}

std::string versionLine(const char* program) { return std::string(program) + " " + ORV_PACKAGE_VERSION; }

}  // namespace orvtool
