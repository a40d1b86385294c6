#pragma once
// UTF-8 decoding shared by the wide-text conversions of every backend (encoding: appendUtf8 in
// WideText.h).
#include <cstddef>
#include <string>

namespace platform {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes one scalar at text[i], advancing i past what it consumed; each malformed sequence,
// overlong form, surrogate or value past U+10FFFF gives U+FFFD.
char32_t decodeUtf8(const std::string& text, std::size_t& i);

}  // namespace platform
