#include "quorrel/dsc/GuidText.h"

#include <cstdio>

namespace orv::dsc {

namespace exception {
BadGuidString::BadGuidString() : std::invalid_argument("Badly formatted Guid string.") {}
}  // namespace exception

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads digits hex digits at text[at], advancing at.
uint32_t readHex(const std::string& text, size_t& at, int digits) {
    uint32_t value = 0;
    for (int i = 0; i < digits; ++i, ++at) {
        const int digit = hexValue(text[at]);
        if (digit < 0) throw exception::BadGuidString();
        value = (value << 4) | static_cast<uint32_t>(digit);
    }
    return value;
}

void expect(const std::string& text, size_t& at, char c) {
    if (text[at] != c) throw exception::BadGuidString();
    ++at;
}

}  // namespace

std::string guidToString(const tSSRawGUID& id) {
    char text[39];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", id.Data1,
                  static_cast<unsigned>(id.Data2), static_cast<unsigned>(id.Data3), id.Data4[0], id.Data4[1],
                  id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6], id.Data4[7]);
    return text;
}

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
