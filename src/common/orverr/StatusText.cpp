#include "common/orverr/StatusText.h"

#include <optional>
#include <vector>

#include "common/orverr/JsonReader.h"
#include "common/platform/File.h"

namespace orverr {

std::string describe(const ExceptionBase& error) {
    const char* document = error.documentText();
    std::string line = readStringMember(document, "error_constant").value_or("error");
    line += " (" + std::to_string(error.code()) + "):";
    std::vector<JsonValue> items;
    if (const char* info = findMember(document, "translator_info")) {
        if (const char* data = findMember(info, "ordered_data")) arrayElements(parseValue(data), items);
    }
    const char* separator = " ";
    for (const JsonValue& item : items) {
        const std::string type = readStringMember(item.begin, "type").value_or("");
        std::string part;
        if (type == "comment") {
            part = readStringMember(item.begin, "comment").value_or("");
        } else if (type == "usage") {
            const char* value = findMember(item.begin, "value");
            const JsonValue parsed = value ? parseValue(value) : JsonValue{};
            const std::optional<std::string> text = decodeString(parsed);
            std::string usage = readStringMember(item.begin, "usage").value_or("");
            std::string shown = text ? *text : std::string(parsed.begin ? parsed.begin : "", parsed.end ? parsed.end : "");
            // Paths as the system writes them, so a user can paste them.
            if (usage == "kUsageTypeFilePath") shown = platform::nativePath(shown);
            if (usage.rfind("kUsageType", 0) == 0) usage.erase(0, 10);
            part = usage + ": " + shown;
        }
        if (part.empty()) continue;
        line += separator + part;
        separator = "; ";
    }
    if (const char* internal = findMember(document, "internal_error")) {
        if (auto reason = readStringMember(internal, "string")) {
            line += separator + *reason;
            separator = "; ";
        }
    }
    // Without any readable detail the document itself is the text.
    if (separator[0] == ' ') line += std::string(" ") + document;
    return line;
}

}  // namespace orverr
