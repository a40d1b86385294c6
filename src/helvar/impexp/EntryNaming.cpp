#include "helvar/impexp/EntryNaming.h"

#include <string>
#include <vector>

#include "common/orverr/JsonCursor.h"
#include "common/orverr/JsonReader.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/document/DocumentConstants.h"

namespace impexp {

namespace {

// Whether the status's elaborations hold an item of the usage type.
bool hasUsage(const orverr::Status& status, const char* usageType) {
    if (status.json == nullptr) return false;
    const char* info = orverr::findMember(status.json, "translator_info");
    const char* ordered = info != nullptr && *info == '{' ? orverr::findMember(info, "ordered_data") : nullptr;
    if (ordered == nullptr) return false;
    std::vector<orverr::JsonValue> items;
    if (!orverr::arrayElements(orverr::parseValue(ordered), items)) return false;
    for (const orverr::JsonValue& item : items) {
        if (item.type != orverr::JsonType::Object) continue;
        const auto usage = orverr::readStringMember(item.begin, "usage");
        if (usage && *usage == usageType) return true;
    }
    return false;
}

std::string textOf(const rapidjson::Value& entry, const char* name) {
    const auto found = entry.FindMember(name);
    if (found == entry.MemberEnd() || !found->value.IsString()) return std::string();
    return std::string(found->value.GetString(), found->value.GetStringLength());
}

}  // namespace

void nameEntry(orverr::Status& refusal, std::size_t entryIndex, const rapidjson::Value& entry) {
    namespace key = document::key;
    const bool namesId = hasUsage(refusal, usage::kAttributeId);
    const bool namesChannel = hasUsage(refusal, usage::kChannelName);
    const std::string name = textOf(entry, key::kName);
    const std::string channel = textOf(entry, key::kChannel);
    const auto id = entry.FindMember(key::kId);

    orverr::JsonCursor cursor = orverr::elaborationCursor(refusal);
    cursor = orverr::addUsageUInt32(cursor, usage::kAttributeEntryPosition, static_cast<uint32_t>(entryIndex + 1));
    if (!namesId && id != entry.MemberEnd() && id->value.IsUint()) {
        cursor = orverr::addUsageUInt32(cursor, usage::kAttributeId, id->value.GetUint());
    }
    cursor = orverr::addUsageString(cursor, usage::kAttributeName, name.c_str());
    if (!namesChannel && !channel.empty()) {
        orverr::addUsageString(cursor, usage::kChannelName, channel.c_str());
    }
}

}  // namespace impexp
