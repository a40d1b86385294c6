#include "quorrel/debugconfig/CJsonHelpers.h"

#include <cjson/cJSON.h>

#include <cmath>
#include <cstring>
#include <new>

#include <boost/numeric/conversion/cast.hpp>

#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace nORVMISysAPICommon100::cjson {
namespace {

[[noreturn]] void raiseMember(orverr::ErrorCode error, const char* name) {
    ORVERR_THROW(error).usage(debugconfig::kUsageTypeToken, name).raise();
}

cJSON& requireMember(const cJSON& object, const char* name, int type) {
    cJSON* member = findMember(&object, name);
    if (member == nullptr) raiseMember(orverr::codes::kJsonMemberMissing, name);
    if ((member->type & 0xFF) != type) raiseMember(orverr::codes::kJsonWrongType, name);
    return *member;
}

template <typename Target>
Target truncated(double value) {
    // NaN compares false with every bound and would slip through the range check.
    if (std::isnan(value)) throw boost::numeric::bad_numeric_cast();
    return boost::numeric_cast<Target>(std::trunc(value));
}

char* copyName(const char* name) {
    const size_t size = std::strlen(name) + 1;
    auto* copy = static_cast<char*>(cJSON_malloc(size));
    if (copy == nullptr) throw std::bad_alloc();
    std::memcpy(copy, name, size);
    return copy;
}

}  // namespace

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringAsciiCase(const char* a, const char* b) {
    for (; *a != '\0' && *b != '\0'; ++a, ++b) {
        if (asciiLower(*a) != asciiLower(*b)) return false;
    }
    return *a == *b;
}

std::shared_ptr<cJSON> own(cJSON* root) { return std::shared_ptr<cJSON>(root, &cJSON_Delete); }

cJSON* findMember(const cJSON* object, const char* name) {
    if (object == nullptr || !cJSON_IsObject(object)) return nullptr;
    for (cJSON* member = object->child; member != nullptr; member = member->next) {
        if (member->string != nullptr && equalsIgnoringAsciiCase(member->string, name)) return member;
    }
    return nullptr;
}

cJSON& requireObject(const cJSON& object, const char* name) { return requireMember(object, name, cJSON_Object); }

double requireNumber(const cJSON& object, const char* name) {
    return requireMember(object, name, cJSON_Number).valuedouble;
}

uint32_t toUInt32(double value) { return truncated<uint32_t>(value); }
int32_t toInt32(double value) { return truncated<int32_t>(value); }

cJSON* checked(cJSON* created) {
    if (created == nullptr) throw std::bad_alloc();
    return created;
}

cJSON& addMember(cJSON& object, const char* name, cJSON* value) {
    std::unique_ptr<cJSON, void (*)(cJSON*)> owned(value, &cJSON_Delete);
    if (!cJSON_AddItemToObject(&object, name, value)) throw std::bad_alloc();
    owned.release();
    return *value;
}

void setMember(cJSON& object, const char* name, cJSON* value) {
    std::unique_ptr<cJSON, void (*)(cJSON*)> owned(value, &cJSON_Delete);
    cJSON* existing = findMember(&object, name);
    if (existing == nullptr) {
        addMember(object, name, owned.release());
        return;
    }
    // The file keeps the member's own spelling.
    value->string = copyName(existing->string);
    owned.release();
    cJSON_ReplaceItemViaPointer(&object, existing, value);
}

void makeEmptyObject(cJSON& node) {
    if ((node.type & cJSON_IsReference) == 0) {
        cJSON_Delete(node.child);  // the whole list of children
        cJSON_free(node.valuestring);
    }
    node.child = nullptr;
    node.valuestring = nullptr;
    node.valueint = 0;
    node.valuedouble = 0;
    node.type = cJSON_Object | (node.type & cJSON_StringIsConst);
}

std::shared_ptr<cJSON> parse(const std::string& text) {
    cJSON* root = nullptr;
    // cJSON reads up to the first NUL; a text with one inside is not a JSON text.
    const size_t nul = text.find('\0');
    const char* end = text.c_str() + (nul == std::string::npos ? text.size() : nul);
    if (nul == std::string::npos) root = cJSON_ParseWithOpts(text.c_str(), &end, 1);
    if (root == nullptr) {
        // Where the parser stopped, so that a hand edit can be found and repaired.
        uint32_t line = 1;
        uint32_t column = 1;
        for (const char* at = text.c_str(); at < end && *at != '\0'; ++at) {
            if (*at == '\n') {
                ++line;
                column = 1;
            } else {
                ++column;
            }
        }
        ORVERR_THROW(orverr::codes::kJsonParseFailed)
            .comment(debugconfig::kNotJson)
            .usageUInt32(debugconfig::kUsageTypeLineNumber, line)
            .usageUInt32(debugconfig::kUsageTypePositionInLine, column)
            .raise();
    }
    return own(root);
}

std::string print(const cJSON& root) {
    char* text = cJSON_Print(&root);
    if (text == nullptr) throw std::bad_alloc();
    std::string printed(text);
    cJSON_free(text);
    return printed;
}

}  // namespace nORVMISysAPICommon100::cjson
