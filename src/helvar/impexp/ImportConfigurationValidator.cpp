#include "helvar/impexp/ImportConfigurationValidator.h"

#include <limits>
#include <optional>
#include <string_view>
#include <utility>

#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "helvar/impexp/EntryNaming.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/InherentOptions.h"
#include "helvar/impexp/StrictText.h"
#include "helvar/impexp/document/DocumentConstants.h"
#include "helvar/impexp/document/NonFiniteReal.h"
#include "helvar/impexp/document/VersionString.h"

namespace impexp {

namespace key = document::key;

namespace {

// The schema has proven that the members read here exist with their types.
const rapidjson::Value& member(const rapidjson::Value& object, const char* name) {
    const auto found = object.FindMember(name);
    if (found == object.MemberEnd()) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).raise();
    }
    return found->value;
}

std::string stringOf(const rapidjson::Value& value) {
    return std::string(value.GetString(), value.GetStringLength());
}

// The document's own text, where a copy would only be copied again.
std::string_view viewOf(const rapidjson::Value& value) {
    return std::string_view(value.GetString(), value.GetStringLength());
}

// A schema integer as a signed 32-bit elaboration, clamped when the document's is wider.
int32_t clampedInt32(const rapidjson::Value& value) {
    if (value.IsInt()) {
        return value.GetInt();
    }
    if (value.IsInt64()) {
        return value.GetInt64() < 0 ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
    }
    return std::numeric_limits<int32_t>::max();
}

// An entry the schema admits but the session's typing cannot take: refused as a schema violation
// at the entry, naming the attribute when its id is known.
[[noreturn]] void refuseEntry(std::size_t index, const char* memberName, const char* keyword,
                              std::optional<ViAttr> id) {
    const std::string position = std::to_string(index);
    std::string rule = "#/properties/attributes/items";
    std::string path = "#/attributes/" + position;
    if (memberName != nullptr) {
        rule += std::string("/properties/") + memberName;
        path += std::string("/") + memberName;
    }
    orverr::Raise raise(orverr::codes::kInvalidSchema, __FILE__, __LINE__, ORVERR_COMPONENT);
    raise.usage(usage::kSchemaRuleViolation, rule).usage(usage::kSchemaViolationType, keyword)
        .usage(usage::kSchemaErrorPath, path);
    if (id) {
        raise.usageUInt32(usage::kAttributeId, *id);
    }
    raise.raise();
}

constexpr const char* kKeywordType = "type";
constexpr const char* kKeywordRequired = "required";
constexpr const char* kKeywordFormat = "format";
// The id names one of the session's own options, which no document may set.
constexpr const char* kKeywordNot = "not";

bool isStrictString(const rapidjson::Value& value) {
    return !value.IsString() || isStrictText(value.GetString(), value.GetStringLength());
}

// The members of an entry that the import reads, found in one walk over the entry (repeated names
// are refused before); null for one the entry lacks.
struct EntryMembers {
    const rapidjson::Value* id = nullptr;
    const rapidjson::Value* name = nullptr;
    const rapidjson::Value* channel = nullptr;
    const rapidjson::Value* value = nullptr;

    explicit EntryMembers(const rapidjson::Value& entry) {
        for (const auto& found : entry.GetObject()) {
            const std::string_view memberName = viewOf(found.name);
            if (memberName == key::kId) id = &found.value;
            else if (memberName == key::kName) name = &found.value;
            else if (memberName == key::kChannel) channel = &found.value;
            else if (memberName == key::kValue) value = &found.value;
        }
    }
};

// A member the schema has proven to exist.
const rapidjson::Value& required(const rapidjson::Value* found) {
    if (found == nullptr) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).raise();
    }
    return *found;
}

// Texts of an entry that would reach the session: refused whole before anything is applied.
void checkEntryTexts(const EntryMembers& members, std::size_t index, ViAttr id) {
    const std::pair<const char*, const rapidjson::Value*> texts[] = {
        {key::kName, members.name}, {key::kChannel, members.channel}, {key::kValue, members.value}};
    for (const auto& [name, value] : texts) {
        if (value != nullptr && !isStrictString(*value)) {
            refuseEntry(index, name, kKeywordFormat, id);
        }
    }
}

// Stores the entry's value with the container's setter for the session's type. false: the JSON
// kind does not fit the type.
bool storeValue(const rapidjson::Value& value, AttributeType type, const AttributeKey& key,
                JSONAttributeContainerInterface& container) {
    switch (type) {
    case kTypeInt32:
        if (!value.IsInt()) return false;
        container.setValueInt32(key, value.GetInt());
        return true;
    case kTypeInt64:
        if (!value.IsInt64()) return false;
        container.setValueInt64(key, value.GetInt64());
        return true;
    case kTypeSession:
        if (!value.IsUint()) return false;
        container.setValueUInt32(key, value.GetUint());
        return true;
    case kTypeReal64:
        if (value.IsNumber()) {
            container.setValueReal64(key, value.GetDouble());
            return true;
        }
        if (value.IsString()) {
            const auto nonFinite = document::parseNonFiniteReal(viewOf(value));
            if (nonFinite) {
                container.setValueReal64(key, *nonFinite);
                return true;
            }
        }
        return false;
    case kTypeString:
        if (!value.IsString()) return false;
        container.setValueString(key, viewOf(value));
        return true;
    case kTypeBoolean:
        // Only JSON true sets the attribute; every other value clears it.
        container.setValueBoolean(key, value.IsTrue() ? VI_TRUE : VI_FALSE);
        return true;
    default:
        // ViAddr: a pointer taken from a document would point nowhere.
        return false;
    }
}

}  // namespace

void ImportConfigurationValidator::validate(const rapidjson::Document& document,
                                            JSONAttributeContainerInterface& container) {
    checkFormatVersion(document);
    checkModelNumbers(document);
    const ChannelMap channelMap = mapChannels(document);
    checkVersionString(document);
    collectEntries(document, channelMap, container);
}

void ImportConfigurationValidator::validateDocument(const rapidjson::Document& document,
                                                    JSONAttributeContainerInterface& container) {
    const ChannelMap channelMap = mapChannels(document);
    checkVersionString(document);
    collectEntries(document, channelMap, container);
    checkFormatVersion(document);
}

void ImportConfigurationValidator::checkFormatVersion(const rapidjson::Value& document) const {
    const rapidjson::Value& oldest = member(document, key::kOldestCompatibleFormatVersion);
    const bool readable = oldest.IsInt64() && oldest.GetInt64() <= document::kFormatVersion;
    if (!readable) {
        ORVERR_THROW(orverr::codes::kLibraryOutOfDate)
            .usageInt32(usage::kConfigurationOldestCompatibleVersion, clampedInt32(oldest))
            .usageInt32(usage::kConfigurationExpectedVersion, document::kFormatVersion)
            .raise();
    }
}

void ImportConfigurationValidator::checkModelNumbers(const rapidjson::Value& document) const {
    for (const rapidjson::Value& device : member(document, key::kDevices).GetArray()) {
        const rapidjson::Value& modelNumber = member(device, key::kModelNumber);
        if (!(modelNumber.IsInt() && modelNumber.GetInt() == session_->modelNumber)) {
            ORVERR_THROW(orverr::codes::kIncompatibleModelNumber)
                .usageInt32(usage::kConfigurationModelNumber, clampedInt32(modelNumber))
                .usageInt32(usage::kExpectedModelNumber, session_->modelNumber)
                .raise();
        }
    }
}

ImportConfigurationValidator::ChannelMap ImportConfigurationValidator::mapChannels(
    const rapidjson::Value& document) const {
    ChannelMap map;
    const rapidjson::Value& channels = member(member(document, key::kSession), key::kChannels);
    if (!isStrictString(channels)) {
        ORVERR_THROW(orverr::codes::kInvalidSchema)
            .usage(usage::kSchemaRuleViolation, std::string("#/properties/") + key::kSession + "/properties/" + key::kChannels)
            .usage(usage::kSchemaViolationType, kKeywordFormat)
            .usage(usage::kSchemaErrorPath, std::string("#/") + key::kSession + "/" + key::kChannels)
            .raise();
    }
    const std::string documentChannels = stringOf(channels);
    const std::string& sessionChannels = session_->channels;
    if (sessionChannels.empty() && documentChannels.empty()) {
        return map;
    }
    orvslid::ChannelParser sessionList(channels_);
    sessionList.parse(sessionChannels.c_str(), orverr::ThrowOnErrorStatus());
    orvslid::ChannelParser documentList(channels_);
    documentList.parse(documentChannels.c_str(), orverr::ThrowOnErrorStatus());
    if (sessionList.size() != documentList.size()) {
        ORVERR_THROW(orverr::codes::kIncompatibleSessionChannels)
            .usage(usage::kConfigurationSessionChannels, documentChannels)
            .usage(usage::kExpectedSessionChannels, sessionChannels)
            .raise();
    }
    auto sessionChannel = sessionList.begin();
    for (auto documentChannel = documentList.begin(); documentChannel != documentList.end();
         ++documentChannel, ++sessionChannel) {
        map[documentChannel.name()] = sessionChannel.name();
    }
    return map;
}

void ImportConfigurationValidator::checkVersionString(const rapidjson::Value& document) const {
    const rapidjson::Value& version = member(member(document, key::kGeneratedBy), key::kVersion);
    // A string with an embedded NUL is not a version string, whatever precedes the NUL.
    const std::string text = stringOf(version);
    if (text.size() != std::char_traits<char>::length(text.c_str()) ||
        !document::parseVersionString(text.c_str())) {
        ORVERR_THROW(orverr::codes::kInvalidVersionFormat).usage(usage::kConfigurationVersion, text).raise();
    }
}

void ImportConfigurationValidator::collectEntries(const rapidjson::Value& document, const ChannelMap& channelMap,
                                                  JSONAttributeContainerInterface& container) {
    const auto entries = member(document, key::kAttributes).GetArray();
    // At most one record per entry.
    container.reserve(container.size() + entries.Size());
    positions_ = EntryPositions();
    std::size_t index = 0;
    for (const rapidjson::Value& entry : entries) {
        const EntryMembers members(entry);
        const rapidjson::Value& idValue = required(members.id);
        if (!idValue.IsUint()) {
            refuseEntry(index, key::kId, kKeywordType, std::nullopt);
        }
        const ViAttr id = idValue.GetUint();
        if (isInherentOption(id)) {
            refuseEntry(index, key::kId, kKeywordNot, id);
        }
        checkEntryTexts(members, index, id);
        if (members.name == nullptr) {
            refuseEntry(index, nullptr, kKeywordRequired, id);
        }
        if (!members.name->IsString()) {
            refuseEntry(index, key::kName, kKeywordType, id);
        }
        std::string channel = stringOf(required(members.channel));
        if (!channelMap.empty()) {
            const auto mapped = channelMap.find(channel);
            if (mapped != channelMap.end()) {
                channel = mapped->second;
            }
        }
        const AttributeType type = typeOf(id, index, entry);
        if (isTransferableType(type)) {
            const AttributeKey attributeKey(id, std::move(channel));
            container.add(attributeKey, type, viewOf(*members.name));
            if (!storeValue(required(members.value), type, attributeKey, container)) {
                refuseEntry(index, key::kValue, kKeywordType, id);
            }
        } else {
            positions_.skipped(index);
        }
        ++index;
    }
}

// An id the session does not know is refused by the engine's type query: the refusal names the entry.
AttributeType ImportConfigurationValidator::typeOf(ViAttr id, std::size_t index, const rapidjson::Value& entry) {
    try {
        return typeGetter_.getType(id);
    } catch (orverr::Exception& refusal) {
        nameEntry(refusal.status(), index, entry);
        throw;
    }
}

}  // namespace impexp
