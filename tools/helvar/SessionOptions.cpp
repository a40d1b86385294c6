#include <string>

#include "Commands.h"

namespace helvartool {

std::string withDriverSetup(const std::string& options, const std::string& item) {
    const std::string key = "DriverSetup=";
    const std::size_t at = options.find(key);
    if (at == std::string::npos) return options + (options.empty() ? "" : ",") + key + item;
    const std::size_t end = options.find(',', at);
    const std::size_t valueEnd = end == std::string::npos ? options.size() : end;
    const bool empty = valueEnd == at + key.size();
    return options.substr(0, valueEnd) + (empty ? "" : ";") + item + options.substr(valueEnd);
}

std::string Options::sessionOptions() const {
    // The driver reads its description language from the setup item.
    return language ? withDriverSetup(optionString, "Language:" + std::to_string(*language)) : optionString;
}

}  // namespace helvartool
