// helvar describe: the meaning of any code in any language, as a user's program gets it from
// Helvar_DescribeStatus of the shipped library.
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Commands.h"
#include "Helvar.h"
#include "Report.h"
#include "common/orverr/CodeTable.h"
#include "helvar/orvxlator/Languages.h"

namespace helvartool {
namespace {

// Decimal, or hexadecimal with 0x; kept to 32 bits as the explanation files do.
bool parseCode(const std::string& text, int32_t& code) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    const long long value = std::strtoll(text.c_str(), &end, 0);
    if (*end != '\0' || errno != 0) {
        errno = 0;
        const unsigned long long unsignedValue = std::strtoull(text.c_str(), &end, 0);
        if (*end != '\0' || errno != 0 || text[0] == '-') return false;
        code = static_cast<int32_t>(static_cast<uint32_t>(unsignedValue));
        return true;
    }
    code = static_cast<int32_t>(static_cast<uint32_t>(static_cast<unsigned long long>(value)));
    return true;
}

}  // namespace

int describeCommand(const Options& options) {
    int32_t code = 0;
    if (options.positional.size() != 1 || !parseCode(options.positional[0], code)) {
        std::cerr << "usage: helvar describe CODE [--lang N]   (CODE decimal or 0x hexadecimal)\n";
        return kUsage;
    }
    const orvxlator::Language* language = orvxlator::findLanguage(static_cast<uint32_t>(options.language));
    if (!language) {
        std::cerr << "helvar describe: --lang takes 0 (English) to 5 (Simplified Chinese)\n";
        return kUsage;
    }
    const orverr::ErrorCode* known = orverr::findErrorCode(code);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(code));
    std::cout << code << " (" << hex << ")" << (known && known->constant ? std::string(" ") + known->constant : "")
              << "\nlanguage " << options.language << " (" << language->folder << ")\n";
    std::string text;
    const ViStatus status = describeStatus(options.language, code, text);
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
