#include "Refusal.h"

#include <optional>
#include <vector>

#include "ExitCodes.h"
#include "common/orverr/Codes.h"
#include "common/orverr/JsonReader.h"
#include "common/platform/File.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace debugconfigtool {
namespace {

namespace names = nORVMISysAPICommon100::debugconfig;

std::vector<orverr::JsonValue> orderedData(const char* document) {
    std::vector<orverr::JsonValue> items;
    if (const char* info = orverr::findMember(document, "translator_info")) {
        if (const char* data = orverr::findMember(info, "ordered_data")) orverr::arrayElements(orverr::parseValue(data), items);
    }
    return items;
}

std::string itemText(const orverr::JsonValue& item) {
    const std::string type = orverr::readStringMember(item.begin, "type").value_or("");
    if (type == "comment") return orverr::readStringMember(item.begin, "comment").value_or("");
    if (type != "usage") return "";
    const char* value = orverr::findMember(item.begin, "value");
    const orverr::JsonValue parsed = value ? orverr::parseValue(value) : orverr::JsonValue{};
    const std::optional<std::string> text = orverr::decodeString(parsed);
    std::string usage = orverr::readStringMember(item.begin, "usage").value_or("");
    std::string shown = text ? *text : std::string(parsed.begin ? parsed.begin : "", parsed.end ? parsed.end : "");
    if (usage == names::kUsageTypeFilePath) shown = platform::nativePath(shown);
    if (usage.rfind("kUsageType", 0) == 0) usage.erase(0, 10);
    return usage + ": " + shown;
}

}  // namespace

std::string describe(const orverr::ExceptionBase& error) {
    const char* document = error.documentText();
    std::string line = orverr::readStringMember(document, "error_constant").value_or("error");
    line += " (" + std::to_string(error.code()) + "):";
    const char* separator = " ";
    for (const orverr::JsonValue& item : orderedData(document)) {
        const std::string part = itemText(item);
        if (part.empty()) continue;
        line += separator + part;
        separator = "; ";
    }
    if (const char* internal = orverr::findMember(document, "internal_error")) {
        if (auto reason = orverr::readStringMember(internal, "string")) {
            line += separator + *reason;
            separator = "; ";
        }
    }
    // Without any readable detail the document itself is the text.
    if (separator[0] == ' ') line += std::string(" ") + document;
    return line;
}

int exitCodeOf(const orverr::ExceptionBase& error) {
    if (error.code() == orverr::codes::kPlatformResourceNotFound.code) return orvtool::kEnvironment;
    for (const orverr::JsonValue& item : orderedData(error.documentText())) {
        const std::string comment = orverr::readStringMember(item.begin, "comment").value_or("");
        if (comment == names::kWriteFailed || comment == names::kFlushFailed) return orvtool::kOutputFailed;
    }
    return orvtool::kRefused;
}

}  // namespace debugconfigtool
