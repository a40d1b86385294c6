#pragma once
// UTF-8 and UTF-16 decoding shared by the wide-text conversions of every backend and the registry
// file reader (encoding: appendUtf8 in WideText.h).
#include <cstddef>
#include <string>

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one scalar at text[i], advancing i past what it consumed; each malformed sequence,
// overlong form, surrogate or value past U+10FFFF gives U+FFFD.
char32_t decodeUtf8(const std::string& text, std::size_t& i);

// Decodes one scalar from count UTF-16 code units, unitAt(k) giving the unit at k, advancing i
// past what it consumed; a surrogate pair gives its code point, a lone surrogate U+FFFD.
template <class UnitAt>
char32_t decodeUtf16(UnitAt unitAt, std::size_t count, std::size_t& i) {
    const char32_t unit = unitAt(i++);
    if (unit < 0xD800 || unit > 0xDFFF) return unit;
    if (unit < 0xDC00 && i < count) {
        const char32_t low = unitAt(i);
        if (low >= 0xDC00 && low <= 0xDFFF) {
            ++i;
            return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
        }
    }
    return kReplacementCharacter;
}

}  // namespace platform
