// wchar_t holds one Unicode scalar value per element here (UTF-32).
#include "common/platform/WideText.h"

#include "common/platform/Utf8.h"

#include <cstdint>
#include <cwchar>

namespace platform {

std::wstring utf8ToWide(const std::string& text) {
    std::wstring out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size();) out += static_cast<wchar_t>(decodeUtf8(text, i));
    return out;
}

std::wstring utf8ToWide(const char* text) { return text == nullptr ? std::wstring() : utf8ToWide(std::string(text)); }

std::string wideToUtf8(const std::wstring& text) {
    std::string out;
    out.reserve(text.size());
    for (wchar_t c : text) appendUtf8(out, static_cast<char32_t>(static_cast<uint32_t>(c)));
    return out;
}

std::string wideToUtf8(const wchar_t* text) { return text == nullptr ? std::string() : wideToUtf8(std::wstring(text)); }

}  // namespace platform
