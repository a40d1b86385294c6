#include "BagValues.h"

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cctype>

#include "explorer/ComPtr.h"
#include "explorer/ErrorInfo.h"
#include "explorer/GuidText.h"
#include "explorer/PropertyTags.h"
#include "explorer/SvsResults.h"
#include "common/platform/WideText.h"

namespace sysvistahost {

namespace {

struct ResultName {
    HRESULT code;
    const char* name;
};

constexpr ResultName kResultNames[] = {
    {S_OK, "S_OK"},
    {S_FALSE, "S_FALSE"},
    {E_NOTIMPL, "E_NOTIMPL"},
    {E_NOINTERFACE, "E_NOINTERFACE"},
    {E_POINTER, "E_POINTER"},
    {E_ABORT, "E_ABORT"},
    {E_FAIL, "E_FAIL"},
    {E_UNEXPECTED, "E_UNEXPECTED"},
    {E_ACCESSDENIED, "E_ACCESSDENIED"},
    {E_OUTOFMEMORY, "E_OUTOFMEMORY"},
    {E_INVALIDARG, "E_INVALIDARG"},
    {DISP_E_TYPEMISMATCH, "DISP_E_TYPEMISMATCH"},
    {SVSYS_E_PROP_MISMATCH, "SVSYS_E_PROP_MISMATCH"},
    {SVSYS_E_PROP_NOT_FOUND, "SVSYS_E_PROP_NOT_FOUND"},
    {SVSYS_E_ITEM_NOT_EXIST, "SVSYS_E_ITEM_NOT_EXIST"},
    {SVSYS_E_VALIDATION_VALUE, "SVSYS_E_VALIDATION_VALUE"},
};

constexpr const char* kTypeNames[] = {"?", "bool", "I32", "U32", "double", "GUID", "string", "timestamp"};

bool equalsIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b)
        if (std::tolower(static_cast<unsigned char>(*a)) != std::tolower(static_cast<unsigned char>(*b))) return false;
    return *a == *b;
}

bool parseInteger(const std::string& text, long long low, long long high, long long& value) {
    if (text.empty()) return false;
    errno = 0;
    char* end = nullptr;
    value = std::strtoll(text.c_str(), &end, 0);
    return errno == 0 && *end == '\0' && value >= low && value <= high;
}

bool parseBool(const std::string& text, BOOL& value) {
    if (text == "1" || equalsIgnoringCase(text.c_str(), "true")) {
        value = TRUE;
        return true;
    }
    if (text == "0" || equalsIgnoringCase(text.c_str(), "false")) {
        value = FALSE;
        return true;
    }
    return false;
}

bool parseGuid(const std::string& text, GUID& id) {
    unsigned d1 = 0, d2 = 0, d3 = 0, b[8] = {};
    int consumed = 0;
    int n = std::sscanf(text.c_str(), "{%8x-%4x-%4x-%2x%2x-%2x%2x%2x%2x%2x%2x}%n", &d1, &d2, &d3, &b[0], &b[1], &b[2],
                        &b[3], &b[4], &b[5], &b[6], &b[7], &consumed);
    if (n != 11 || static_cast<size_t>(consumed) != text.size()) return false;
    id.Data1 = d1;
    id.Data2 = static_cast<uint16_t>(d2);
    id.Data3 = static_cast<uint16_t>(d3);
    for (int i = 0; i < 8; ++i) id.Data4[i] = static_cast<uint8_t>(b[i]);
    return true;
}

}  // namespace

const char* typeName(ULONG typeCode) {
    return typeCode < sizeof kTypeNames / sizeof kTypeNames[0] ? kTypeNames[typeCode] : "?";
}

const char* tagName(ULONG tag) {
    for (const svSysPropertyTagName& entry : kSvSysPropertyTagNames)
        if (entry.tag == tag) return entry.name;
    return nullptr;
}

bool parseTag(const std::string& text, ULONG& tag) {
    for (const svSysPropertyTagName& entry : kSvSysPropertyTagNames) {
        if (equalsIgnoringCase(entry.name, text.c_str())) {
            tag = entry.tag;
            return true;
        }
    }
    long long value = 0;
    if (!parseInteger(text, 0, 0xFFFFFFFFll, value)) return false;
    tag = static_cast<ULONG>(value);
    return true;
}

std::string formatTag(ULONG tag) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(tag));
    return text;
}

std::string formatResult(HRESULT hr) {
    char text[64];
    const char* name = nullptr;
    for (const ResultName& entry : kResultNames)
        if (entry.code == hr) name = entry.name;
    if (name != nullptr) {
        std::snprintf(text, sizeof text, "0x%08X (%s)", static_cast<unsigned>(hr), name);
    } else {
        std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(hr));
    }
    // A failure's own text, when the object that failed left one.
    IErrorInfo* info = nullptr;
    if (FAILED(hr) && GetErrorInfo(0, &info) == S_OK && info != nullptr) {
        BstrHolder description;
        const bool described = SUCCEEDED(info->GetDescription(description.out())) && description.get() != nullptr &&
                               description.get()[0] != L'\0';
        info->Release();
        if (described) return std::string(text) + ": " + platform::wideToUtf8(description.get());
    }
    return text;
}

HRESULT readValue(IsvSysPropertyBag* bag, ULONG tag, ULONG& typeCode, std::string& text) {
    HRESULT hr = bag->GetType(tag, &typeCode);
    if (FAILED(hr)) return hr;
    char buffer[64];
    switch (typeCode) {
    case kSvSysPropertyTypeBool: {
        BOOL value = FALSE;
        hr = bag->GetBool(tag, &value);
        text = value ? "true" : "false";
        break;
    }
    case kSvSysPropertyTypeI32: {
        LONG value = 0;
        hr = bag->GetI32(tag, &value);
        text = std::to_string(value);
        break;
    }
    case kSvSysPropertyTypeU32: {
        ULONG value = 0;
        hr = bag->GetU32(tag, &value);
        text = std::to_string(value);
        break;
    }
    case kSvSysPropertyTypeDouble: {
        double value = 0;
        hr = bag->GetDouble(tag, &value);
        std::snprintf(buffer, sizeof buffer, "%.17g", value);
        text = buffer;
        break;
    }
    case kSvSysPropertyTypeGuid: {
        GUID value{};
        hr = bag->GetGuid(tag, &value);
        text = guidText(value);
        break;
    }
    case kSvSysPropertyTypeString: {
        BstrHolder value;
        hr = bag->GetString(tag, value.out());
        text = "\"" + platform::wideToUtf8(value.get()) + "\"";
        break;
    }
    case kSvSysPropertyTypeTimestamp: {
        svSysAttrTimestampUTC value{};
        ComPtr<IsvSysPropertyBag> self(bag);
        ComPtr<IsvSysPropertyBag3> bag3;
        hr = self.query(IID_IsvSysPropertyBag3, bag3);
        if (SUCCEEDED(hr)) hr = bag3->GetTimestamp(tag, &value);
        std::snprintf(buffer, sizeof buffer, "%" PRId64 "s + %" PRIu64 "/2^64", value.seconds, value.fraction);
        text = buffer;
        break;
    }
    default:
        text = "?";
        break;
    }
    return hr;
}

HRESULT writeValue(IsvSysPropertyBag* bag, ULONG tag, const std::string& text, std::string& error) {
    ULONG typeCode = 0;
    HRESULT hr = bag->GetType(tag, &typeCode);
    if (FAILED(hr)) {
        error = "the device has no property " + formatTag(tag);
        return hr;
    }
    long long integer = 0;
    switch (typeCode) {
    case kSvSysPropertyTypeBool: {
        BOOL value = FALSE;
        if (!parseBool(text, value)) break;
        return bag->SetBool(tag, value);
    }
    case kSvSysPropertyTypeI32:
        if (!parseInteger(text, INT32_MIN, INT32_MAX, integer)) break;
        return bag->SetI32(tag, static_cast<LONG>(integer));
    case kSvSysPropertyTypeU32:
        if (!parseInteger(text, 0, UINT32_MAX, integer)) break;
        return bag->SetU32(tag, static_cast<ULONG>(integer));
    case kSvSysPropertyTypeDouble: {
        char* end = nullptr;
        double value = std::strtod(text.c_str(), &end);
        if (text.empty() || *end != '\0') break;
        return bag->SetDouble(tag, value);
    }
    case kSvSysPropertyTypeGuid: {
        GUID value{};
        if (!parseGuid(text, value)) break;
        return bag->SetGuid(tag, &value);
    }
    case kSvSysPropertyTypeString:
        return bag->SetString(tag, platform::utf8ToWide(text).c_str());
    default:
        error = std::string("values of type ") + typeName(typeCode) + " cannot be set here";
        return E_INVALIDARG;
    }
    error = "\"" + text + "\" is not a " + typeName(typeCode) + " value";
    return E_INVALIDARG;
}

}  // namespace sysvistahost
