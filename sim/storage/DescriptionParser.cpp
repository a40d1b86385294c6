#include "DescriptionParser.h"

#include <cerrno>
#include <cstdlib>

#include <rapidjson/document.h>
#include <rapidjson/error/en.h>

#include "GuidText.h"
#include "common/platform/WideText.h"

namespace orvsim {
namespace storage {

namespace {

using JsonValue = rapidjson::Value;

bool fail(std::string& error, const std::string& text) {
    error = text;
    return false;
}

bool readGuid(const JsonValue& node, const char* key, tSSRawGUID& id, std::string& error) {
    auto member = node.FindMember(key);
    if (member == node.MemberEnd() || !member->value.IsString())
        return fail(error, std::string("\"") + key + "\" must be a GUID string");
    if (!parseGuid(member->value.GetString(), id))
        return fail(error, std::string("\"") + key + "\" is not a GUID: " + member->value.GetString());
    return true;
}

bool readFlag(const JsonValue& node, const char* key, bool& flag, std::string& error) {
    auto member = node.FindMember(key);
    if (member == node.MemberEnd()) return true;
    if (!member->value.IsBool()) return fail(error, std::string("\"") + key + "\" must be true or false");
    flag = member->value.GetBool();
    return true;
}

bool readValues(const JsonValue& node, const char* key, ValueMap& values, std::string& error) {
    auto member = node.FindMember(key);
    if (member == node.MemberEnd()) return true;
    if (!member->value.IsObject()) return fail(error, std::string("\"") + key + "\" must be an object");
    for (auto& entry : member->value.GetObject()) {
        const char* name = entry.name.GetString();
        char* end = nullptr;
        errno = 0;
        unsigned long long id = std::strtoull(name, &end, 10);
        if (*name == '\0' || *end != '\0' || errno != 0 || id > 0xFFFFFFFFull)
            return fail(error, std::string("attribute key is not a 32-bit number: ") + name);
        orvsim::storage::Value value;
        if (entry.value.IsBool()) {
            value.kind = orvsim::storage::Value::Kind::Bool;
            value.boolean = entry.value.GetBool();
        } else if (entry.value.IsInt64()) {
            value.kind = orvsim::storage::Value::Kind::Integer;
            value.integer = entry.value.GetInt64();
        } else if (entry.value.IsString()) {
            value.kind = orvsim::storage::Value::Kind::String;
            value.text = platform::utf8ToWide(std::string(entry.value.GetString(), entry.value.GetStringLength()));
        } else {
            return fail(error, std::string("attribute ") + name + " must be a string, boolean or integer");
        }
        values[static_cast<uint32_t>(id)] = value;
    }
    return true;
}

bool readClass(const JsonValue& node, ClassRecord& record, std::string& error) {
    if (!node.IsObject()) return fail(error, "a class must be an object");
    if (!readGuid(node, "id", record.id, error)) return false;
    auto name = node.FindMember("name");
    if (name != node.MemberEnd() && name->value.IsString()) record.name = name->value.GetString();
    return readValues(node, "attributes", record.attributes, error);
}

bool readObject(const JsonValue& node, ObjectRecord& record, std::string& error) {
    if (!node.IsObject()) return fail(error, "an object must be an object");
    if (!readGuid(node, "id", record.id, error) || !readGuid(node, "class", record.classId, error)) return false;
    auto storageClass = node.FindMember("storageClass");
    if (storageClass == node.MemberEnd()) {
        record.storageClass = 14798;
    } else if (storageClass->value.IsUint()) {
        record.storageClass = storageClass->value.GetUint();
    } else {
        return fail(error, "\"storageClass\" must be an unsigned 32-bit number");
    }
    return readFlag(node, "invalidState", record.invalidState, error) &&
           readFlag(node, "iviSimulated", record.iviSimulated, error) &&
           readFlag(node, "simulated", record.simulated, error) &&
           readValues(node, "properties", record.properties, error) &&
           readValues(node, "attributes", record.attributes, error);
}

bool parseDocument(const std::string& json, rapidjson::Document& document, std::string& error) {
    document.Parse<rapidjson::kParseIterativeFlag>(json.c_str(), json.size());
    if (document.HasParseError())
        return fail(error, std::string("JSON error at offset ") + std::to_string(document.GetErrorOffset()) + ": " +
                               rapidjson::GetParseError_En(document.GetParseError()));
    return true;
}

}  // namespace

bool parseDescription(const std::string& json, Content& content, std::string& error) {
    rapidjson::Document document;
    if (!parseDocument(json, document, error)) return false;
    if (!document.IsObject()) return fail(error, "the description must be an object");
    Content result;
    for (const char* key : {"classes", "objects"}) {
        auto list = document.FindMember(key);
        if (list == document.MemberEnd()) continue;
        if (!list->value.IsArray()) return fail(error, std::string("\"") + key + "\" must be an array");
        for (const JsonValue& node : list->value.GetArray()) {
            if (key[0] == 'c') {
                ClassRecord record;
                if (!readClass(node, record, error)) return false;
                if (result.findClass(record.id)) return fail(error, "duplicate class " + formatGuid(record.id));
                result.classes.push_back(std::move(record));
            } else {
                ObjectRecord record;
                if (!readObject(node, record, error)) return false;
                if (result.findObject(record.id)) return fail(error, "duplicate object " + formatGuid(record.id));
                result.addObject(std::move(record));
            }
        }
    }
    content = std::move(result);
    return true;
}

bool parseClass(const std::string& json, ClassRecord& record, std::string& error) {
    rapidjson::Document document;
    return parseDocument(json, document, error) && readClass(document, record, error);
}

bool parseObject(const std::string& json, ObjectRecord& record, std::string& error) {
    rapidjson::Document document;
    return parseDocument(json, document, error) && readObject(document, record, error);
}

}  // namespace storage
}  // namespace orvsim
