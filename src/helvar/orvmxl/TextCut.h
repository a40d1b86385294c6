#pragma once
// Cutting delivered text without leaving half a character: the code pages of the description
// languages are single-byte (1252) or double-byte (932, 936, 949); 0 stands for UTF-8.
#include <cstddef>
#include <cstdint>
#include <string>

namespace orvmxl {

inline constexpr uint32_t kUtf8 = 0;

// The start of the character that holds byte position (position itself when it starts one, or
// is at or past the end).
std::size_t characterStart(const std::string& text, std::size_t position, uint32_t codePage);

// Text cut to at most length bytes, ending on a whole character.
std::string cutText(const std::string& text, std::size_t length, uint32_t codePage);

// The code page descriptions of a language are delivered in (UTF-8 without the local code page
// flag); 0 as well for an invalid language.
uint32_t deliveryCodePage(uint32_t language, uint32_t flags);

}  // namespace orvmxl
