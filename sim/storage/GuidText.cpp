#include "GuidText.h"

#include <cstdio>

namespace orvsim {
namespace storage {

namespace {
int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}
}  // namespace

std::string formatGuid(const tSSRawGUID& id) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}",
                  static_cast<unsigned>(id.Data1), static_cast<unsigned>(id.Data2), static_cast<unsigned>(id.Data3),
                  id.Data4[0], id.Data4[1], id.Data4[2], id.Data4[3], id.Data4[4], id.Data4[5], id.Data4[6],
                  id.Data4[7]);
    return text;
}

bool parseGuid(const std::string& text, tSSRawGUID& id) {
    std::string bare = text;
    if (bare.size() == 38 && bare.front() == '{' && bare.back() == '}') bare = bare.substr(1, 36);
    if (bare.size() != 36) return false;
    // Nibble positions of the 32 hex digits; dashes at 8, 13, 18, 23.
    uint8_t bytes[16];
    size_t digit = 0;
    for (size_t i = 0; i < bare.size(); ++i) {
        if (i == 8 || i == 13 || i == 18 || i == 23) {
            if (bare[i] != '-') return false;
            continue;
        }
        int v = hexValue(bare[i]);
        if (v < 0) return false;
        if (digit % 2 == 0) {
            bytes[digit / 2] = static_cast<uint8_t>(v << 4);
        } else {
            bytes[digit / 2] = static_cast<uint8_t>(bytes[digit / 2] | v);
        }
        ++digit;
    }
    id.Data1 = (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
    id.Data2 = static_cast<uint16_t>((bytes[4] << 8) | bytes[5]);
    id.Data3 = static_cast<uint16_t>((bytes[6] << 8) | bytes[7]);
    for (int i = 0; i < 8; ++i) id.Data4[i] = bytes[8 + i];
    return true;
}

}  // namespace storage
}  // namespace orvsim
