#pragma once
// Conversion between the UTF-8 text used inside and the platform's wide text (UTF-16 on
// Windows, UTF-32 on Linux). Malformed input never fails: each bad sequence becomes U+FFFD.
#include <string>

namespace platform {

std::wstring utf8ToWide(const std::string& text);
std::wstring utf8ToWide(const char* text);  // null: empty
std::string wideToUtf8(const std::wstring& text);
std::string wideToUtf8(const wchar_t* text);  // null: empty

// Appends one code point as UTF-8; surrogates and values past U+10FFFF become U+FFFD.
void appendUtf8(std::string& out, char32_t codePoint);

}  // namespace platform
