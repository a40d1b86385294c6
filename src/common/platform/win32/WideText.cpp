// wchar_t is a UTF-16 code unit here: code points past U+FFFF take a surrogate pair. UTF-8 is
// decoded by the same rules as on Linux (each malformed sequence or lone surrogate: U+FFFD).
#include "common/platform/WideText.h"

#include "common/platform/Utf8.h"

#include <cstdint>

namespace platform {
namespace {

bool isHighSurrogate(uint32_t unit) { return unit >= 0xD800 && unit < 0xDC00; }
bool isLowSurrogate(uint32_t unit) { return unit >= 0xDC00 && unit < 0xE000; }

void appendUtf16(std::wstring& out, char32_t value) {
    if (value < 0x10000) {
        out += static_cast<wchar_t>(value);
        return;
    }
    value -= 0x10000;
    out += static_cast<wchar_t>(0xD800 + (value >> 10));
    out += static_cast<wchar_t>(0xDC00 + (value & 0x3FF));
}

}  // namespace

std::wstring utf8ToWide(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) appendUtf16(out, decodeUtf8(text, i));
    return out;
}

std::wstring utf8ToWide(const char* text) { return text == nullptr ? std::wstring() : utf8ToWide(std::string(text)); }

std::string wideToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const uint32_t unit = static_cast<uint16_t>(text[i]);
        if (isHighSurrogate(unit) && i + 1 < text.size() && isLowSurrogate(static_cast<uint16_t>(text[i + 1]))) {
            const uint32_t low = static_cast<uint16_t>(text[++i]);
            appendUtf8(out, static_cast<char32_t>(0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00)));
        } else {
            appendUtf8(out, static_cast<char32_t>(unit));  // a lone surrogate becomes U+FFFD
        }
    }
    return out;
}

std::string wideToUtf8(const wchar_t* text) { return text == nullptr ? std::string() : wideToUtf8(std::wstring(text)); }

}  // namespace platform
