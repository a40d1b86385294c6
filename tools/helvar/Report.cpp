#include "Report.h"

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>

#include "DriverSession.h"
#include "Helvar.h"
#include "common/orverr/CodeTable.h"
#include "common/platform/CodePage.h"
#include "helvar/orvxlator/Languages.h"

namespace helvartool {

std::string toUtf8(const std::string& text, int32_t language) {
    const orvxlator::Language* found = orvxlator::findLanguage(static_cast<uint32_t>(language));
    std::string utf8;
    if (!found || !platform::codePageToUtf8(found->codePage, text, utf8)) return text;
    return utf8;
}

std::string indented(const std::string& text) {
    std::string result = "    ";
    for (char c : text) {
        result += c;
        if (c == '\n') result += "    ";
    }
    return result;
}

void byteOrderMarkHint(std::ostream& out, ViStatus status, const std::string& path) {
    if (status != orverr::codes::kCorruptedFormat.code || path == "-") return;
    std::ifstream file(path, std::ios::binary);
    char head[3] = {0, 0, 0};
    if (file.read(head, 3) && std::string(head, 3) == "\xEF\xBB\xBF")
        out << "  hint: the file starts with a UTF-8 byte-order mark, which the document format does not allow;\n"
               "        save it without one (for example: sed -i '1s/^\\xEF\\xBB\\xBF//' FILE)\n";
}

void reportFailure(std::ostream& out, const char* operation, ViStatus status, ViSession handle) {
    const orverr::ErrorCode* known = orverr::findErrorCode(status);
    char hex[16];
    std::snprintf(hex, sizeof hex, "0x%08X", static_cast<unsigned>(status));
    out << operation << " failed: " << (known ? known->constant : "engine status") << " (" << status << ", " << hex << ")\n";
    std::string meaning;
    if (describeStatus(DriverSession::language(handle), status, meaning) >= 0)
        out << "  meaning:\n" << indented(meaning) << "\n";
    const PendingError pending = DriverSession::takePendingError(handle);
    if (pending.primary != 0) {
        out << "  recorded for " << (handle ? "the session" : "the process (null handle)") << ": " << pending.primary << "\n";
        if (!pending.elaboration.empty()) {
            // Recorded in the code page of the session's language; the terminal reads UTF-8.
            out << "  description:\n" << indented(toUtf8(pending.elaboration, DriverSession::language(handle))) << "\n";
        }
    }
}

ViStatus describeStatus(int32_t language, ViStatus status, std::string& text) {
    text.clear();
    const ViStatus needed = Helvar_DescribeStatus(language, status, 0, nullptr);
    if (needed <= 0) return needed < 0 ? needed : HELVAR_ERROR_UNEXPECTED;
    std::string buffer(static_cast<std::size_t>(needed), '\0');
    const ViStatus result = Helvar_DescribeStatus(language, status, needed, &buffer[0]);
    if (result >= 0) text = buffer.c_str();
    return result;
}

}  // namespace helvartool
