#pragma once
// Conversion between UTF-8 and the Windows code pages of the description languages (1252,
// 932, 949, 936). As on Windows, a character the target code page lacks becomes '?' and never
// fails the whole text.
#include <cstdint>
#include <string>

namespace platform {

// False (out unchanged) when the code page is not one this platform can convert.
bool codePageToUtf8(uint32_t codePage, const std::string& in, std::string& out);
bool utf8ToCodePage(uint32_t codePage, const std::string& in, std::string& out);

}  // namespace platform
