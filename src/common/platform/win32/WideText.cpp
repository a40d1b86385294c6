// wchar_t is a UTF-16 code unit here: code points past U+FFFF take a surrogate pair. UTF-8 is
// decoded by the same rules as on Linux (each malformed sequence or lone surrogate: U+FFFD).
#include "common/platform/WideText.h"

#include "common/platform/Utf8.h"

#include <cstdint>

namespace platform {
namespace {

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
    const auto unitAt = [&text](size_t k) { return static_cast<char32_t>(static_cast<uint16_t>(text[k])); };
    for (size_t i = 0; i < text.size();) appendUtf8(out, decodeUtf16(unitAt, text.size(), i));
    return out;
}

std::string wideToUtf8(const wchar_t* text) { return text == nullptr ? std::string() : wideToUtf8(std::wstring(text)); }

}  // namespace platform
