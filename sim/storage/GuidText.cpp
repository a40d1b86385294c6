#include "GuidText.h"

#include "explorer/GuidText.h"

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
    GUID guid{id.Data1, id.Data2, id.Data3, {}};
    for (int i = 0; i < 8; ++i) guid.Data4[i] = id.Data4[i];
    return guidText(guid);
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
