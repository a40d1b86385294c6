#include "Refusal.h"

#include <optional>
#include <vector>

#include "ExitCodes.h"
#include "common/orverr/Codes.h"
#include "common/orverr/JsonReader.h"
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

}  // namespace

int exitCodeOf(const orverr::ExceptionBase& error) {
    if (error.code() == orverr::codes::kPlatformResourceNotFound.code) return orvtool::kEnvironment;
    for (const orverr::JsonValue& item : orderedData(error.documentText())) {
        const std::string comment = orverr::readStringMember(item.begin, "comment").value_or("");
        if (comment == names::kWriteFailed || comment == names::kFlushFailed) return orvtool::kOutputFailed;
    }
    return orvtool::kRefused;
}

}  // namespace debugconfigtool
