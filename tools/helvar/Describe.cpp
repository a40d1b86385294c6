// helvar describe: the meaning of any code in any language, as a user's program gets it from
// Helvar_DescribeStatus of the shipped library.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Commands.h"
#include "Helvar.h"
#include "Report.h"
#include "ToolOptions.h"
#include "common/orverr/CodeTable.h"
#include "helvar/orvxlator/Languages.h"

namespace helvartool {
namespace {

// A status: decimal within ViStatus's range, or 0x with at most 8 hexadecimal digits giving its 32
// bits. Nothing else is taken, so no text turns into another code.
bool parseCode(const std::string& text, int32_t& code) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        const std::string digits = text.substr(2);
        if (digits.size() > 8 || digits.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) return false;
        code = static_cast<int32_t>(static_cast<uint32_t>(std::strtoul(digits.c_str(), nullptr, 16)));
        return true;
    }
    long long value = 0;
    if (!orvtool::parseInteger(text, INT32_MIN, INT32_MAX, value)) return false;
    code = static_cast<int32_t>(value);
    return true;
}

}  // namespace

int describeCommand(const Options& options) {
    int32_t code = 0;
    if (options.positional.size() != 1) {
        std::cerr << "usage: helvar describe [--lang LANG] CODE\n";
        return kUsage;
    }
    if (!parseCode(options.positional[0], code)) {
        std::cerr << "helvar describe: \"" << options.positional[0]
                  << "\" is not a status code (decimal -2147483648..2147483647, or 0x and at most 8 hexadecimal digits)\n";
        return kUsage;
    }
    return describeCode(code, options.language.value_or(0));
}

int describeCode(int32_t code, int32_t languageNumber) {
    const orvxlator::Language* language = orvxlator::findLanguage(static_cast<uint32_t>(languageNumber));
    const orverr::ErrorCode* known = orverr::findErrorCode(code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    std::cout << code << " (" << hex << ")" << (known && known->constant ? std::string(" ") + known->constant : "")
              << "\nlanguage " << languageNumber << " (" << language->folder << ")\n";
    std::string text;
    const ViStatus status = describeStatus(languageNumber, code, text);
    if (status < 0) {
        std::cerr << "helvar describe: Helvar_DescribeStatus failed with " << status << "\n";
        return kEnvironment;
    }
    std::cout << "meaning:\n" << indented(text) << "\n";
    if (status == HELVAR_WARN_UNKNOWN_STATUS)
        std::cout << "(Helvar_DescribeStatus returned the warning " << status << ": no explanation of this code exists)\n";
    return kOk;
}

}  // namespace helvartool
