#include "helvar/impexp/StrictText.h"

namespace impexp {

bool isStrictText(const char* text, std::size_t length) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    std::size_t i = 0;
    while (i < length) {
        const unsigned char lead = bytes[i];
        if (lead == 0) return false;
        if (lead < 0x80) {
            ++i;
            continue;
        }
        std::size_t more;
        unsigned char low = 0x80;  // bounds of the second byte, which rule out overlong forms,
        unsigned char high = 0xBF;  // surrogates and code points above U+10FFFF
        if (lead >= 0xC2 && lead <= 0xDF) {
            more = 1;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            more = 2;
            if (lead == 0xE0) low = 0xA0;
            if (lead == 0xED) high = 0x9F;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            more = 3;
            if (lead == 0xF0) low = 0x90;
            if (lead == 0xF4) high = 0x8F;
        } else {
            return false;
        }
        if (length - i <= more) return false;
        if (bytes[i + 1] < low || bytes[i + 1] > high) return false;
        for (std::size_t k = 2; k <= more; ++k) {
            if ((bytes[i + k] & 0xC0) != 0x80) return false;
        }
        i += more + 1;
    }
    return true;
}

}  // namespace impexp
