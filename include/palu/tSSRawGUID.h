#pragma once
// The platform's raw 16-byte identifier, laid out like a GUID.
#include <cstdint>

struct tSSRawGUID {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
};

inline bool operator==(const tSSRawGUID& a, const tSSRawGUID& b) noexcept {
    if (a.Data1 != b.Data1 || a.Data2 != b.Data2 || a.Data3 != b.Data3) return false;
    for (int i = 0; i < 8; ++i)
        if (a.Data4[i] != b.Data4[i]) return false;
    return true;
}
inline bool operator!=(const tSSRawGUID& a, const tSSRawGUID& b) noexcept { return !(a == b); }
