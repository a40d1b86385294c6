// helvar describe: the description of any code in any language, as the translator framework and
// the error accessor give it.
#include <cerrno>
#include <cstdlib>
#include <iostream>
#include <string>

#include "Commands.h"
#include "Report.h"
#include "common/orverr/CodeTable.h"
#include "common/orverr/Raise.h"
#include "helvar/miivi/ErrorAccessor.h"
#include "helvar/orvmxl/TranslateStatus.h"
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
              << "\nlanguage " << options.language << " (" << language->folder << "), code page " << language->codePage
              << "\n";

    // The static description of the code, as the translators give it in UTF-8.
    orverr::Status status;
    ORVERR_RAISE_INTO(status, (orverr::ErrorCode{code, orverr::constants::kErrorCode}));
    orverr::Status out;
    std::string text;
    orvmxl::translateStatus(status, static_cast<uint32_t>(options.language), orvmxl::kStatic, text, out);
    std::cout << "static description:\n" << indented(text) << "\n";

    // What a driver's error query gets: at most 255 bytes in the language's code page.
    char buffer[miivi::ErrorAccessor::kDescriptionSize] = {0};
    miivi::errorAccessor().describeCode(static_cast<uint32_t>(options.language), code, buffer,
                                        orvmxl::kLocalCodePage);
    std::cout << "error accessor (" << std::string(buffer).size() << " bytes in code page " << language->codePage
              << "):\n"
              << indented(toUtf8(buffer, options.language)) << "\n";
    return out.isError() ? kRefused : kOk;
}

}  // namespace helvartool
