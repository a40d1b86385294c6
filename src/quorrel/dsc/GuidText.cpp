#include "quorrel/dsc/GuidText.h"

#include "explorer/GuidText.h"

namespace orv::dsc {

namespace exception {
BadGuidString::BadGuidString()
    : sysapicpp::HResultException(E_FAIL, "Badly formatted Guid string.", __FILE__, __LINE__) {}
}  // namespace exception

namespace {

// The digit's value; BadGuidString when c is no hex digit.
uint32_t hexValue(char c) {
    if (c >= '0' && c <= '9') return static_cast<uint32_t>(c - '0');
    if (c >= 'A' && c <= 'F') return static_cast<uint32_t>(c - 'A' + 10);
    if (c >= 'a' && c <= 'f') return static_cast<uint32_t>(c - 'a' + 10);
    throw exception::BadGuidString();
}

// Reads digits hex digits at text[at], advancing at.
uint32_t readHex(const std::string& text, size_t& at, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i, ++at) value = (value << 4) | hexValue(text[at]);
    return value;
}

void expect(const std::string& text, size_t& at, char c) {
    if (text[at] != c) throw exception::BadGuidString();
    ++at;
}

}  // namespace

std::string guidToString(const tSSRawGUID& id) { return guidText(toGuid(id)); }

tSSRawGUID guidFromString(const std::string& text) {
    const bool braced = text.size() == 38 && text.front() == '{' && text.back() == '}';
    if (!braced && text.size() != 36) throw exception::BadGuidString();
    size_t at = braced ? 1 : 0;
    tSSRawGUID id{};
    id.Data1 = readHex(text, at, 8);
    expect(text, at, '-');
    id.Data2 = static_cast<uint16_t>(readHex(text, at, 4));
    expect(text, at, '-');
    id.Data3 = static_cast<uint16_t>(readHex(text, at, 4));
    expect(text, at, '-');
    for (int i = 0; i < 8; ++i) {
        if (i == 2) expect(text, at, '-');
        id.Data4[i] = static_cast<uint8_t>(readHex(text, at, 2));
    }
    return id;
}

std::string canonicalGuidText(const std::string& text) {
    try {
        return guidToString(guidFromString(text));
    } catch (const exception::BadGuidString&) {
        return text;
    }
}

GUID toGuid(const tSSRawGUID& id) {
    GUID out{id.Data1, id.Data2, id.Data3, {}};
    for (int i = 0; i < 8; ++i) out.Data4[i] = id.Data4[i];
    return out;
}

tSSRawGUID toRawGuid(const GUID& id) {
    tSSRawGUID out{id.Data1, id.Data2, id.Data3, {}};
    for (int i = 0; i < 8; ++i) out.Data4[i] = id.Data4[i];
    return out;
}

}  // namespace orv::dsc
