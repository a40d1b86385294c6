#include "Report.h"

#include <cstdio>
#include <fstream>
#include <ostream>
#include <string>

#include "DriverSession.h"
#include "common/orverr/CodeTable.h"
#include "common/platform/CodePage.h"
#include "helvar/miivi/ErrorAccessor.h"
#include "helvar/orvmxl/TranslateFlags.h"
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
    const std::string message = DriverSession::engineMessage(status);
    if (!message.empty()) out << "  engine message: " << message << "\n";
    const PendingError pending = DriverSession::takePendingError(handle);
    if (pending.primary != 0) {
        out << "  recorded for " << (handle ? "the session" : "the process (null handle)") << ": " << pending.primary << "\n";
        if (!pending.elaboration.empty()) {
            // Recorded in the code page of the session's language; the terminal reads UTF-8.
            out << "  description:\n" << indented(toUtf8(pending.elaboration, DriverSession::language(handle))) << "\n";
        }
    }
}

}  // namespace helvartool

namespace helvartool {

void printMeaning(std::ostream& out, ViStatus status, int32_t language) {
    char buffer[miivi::ErrorAccessor::kDescriptionSize] = {0};
    miivi::errorAccessor().describeCode(static_cast<uint32_t>(language), status, buffer, orvmxl::kLocalCodePage);
    out << "  what the code means:\n" << indented(toUtf8(buffer, language)) << "\n";
}

}  // namespace helvartool
