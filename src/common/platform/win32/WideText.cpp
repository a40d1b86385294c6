// wchar_t is a UTF-16 code unit here: code points past U+FFFF take a surrogate pair. UTF-8 is
// decoded by the same rules as on Linux (each malformed sequence or lone surrogate: U+FFFD).
#include "common/platform/WideText.h"

#include <cstdint>

namespace platform {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one scalar at text[i], advancing i past what it consumed.
char32_t decodeUtf8(const std::string& text, size_t& i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacement;
    }
    size_t consumed = 1;
    for (; consumed < length; ++consumed) {
        if (i + consumed >= text.size()) break;
        const unsigned char c = static_cast<unsigned char>(text[i + consumed]);
        if (!isContinuation(c)) break;
        value = (value << 6) | (c & 0x3F);
    }
    i += consumed;
    if (consumed < length || value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kReplacement;
    return value;
}

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

void appendUtf8(std::string& out, char32_t value) {
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) value = kReplacement;
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

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
