#pragma once
// Conversion between the UTF-8 text used inside and the platform's wide text (UTF-16 on
// Windows, UTF-32 on Linux). Malformed input never fails: each bad sequence becomes U+FFFD.
#include <string>

namespace platform {

std::wstring utf8ToWide(const std::string& text);
std::wstring utf8ToWide(const char* text);  // null: empty
std::string wideToUtf8(const std::wstring& text);
std::string wideToUtf8(const wchar_t* text);  // null: empty

}  // namespace platform
