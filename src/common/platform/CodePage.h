#pragma once
// Conversion between UTF-8 and the Windows code pages of the description languages (1252,
// 932, 949, 936). As on Windows, a character the target code page lacks becomes '?' and never
// fails the whole text.
#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The Windows number of UTF-8 itself, accepted by cutLength.
inline constexpr uint32_t kUtf8CodePage = 65001;

// False (out unchanged) when the code page is not one this platform can convert.
bool codePageToUtf8(uint32_t codePage, const std::string& in, std::string& out);
bool utf8ToCodePage(uint32_t codePage, const std::string& in, std::string& out);

// The longest prefix of text, at most limit bytes, that does not end in the middle of a
// character of the code page (or of UTF-8 for kUtf8CodePage); single-byte pages cut anywhere.
std::size_t cutLength(uint32_t codePage, const std::string& text, std::size_t limit);

}  // namespace platform
