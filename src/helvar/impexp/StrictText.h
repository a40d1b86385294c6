#pragma once
// Document texts that reach a session must be strict UTF-8 without NUL characters: the engine
// takes NUL-terminated strings, so a "\u0000" would silently cut the value short.
#include <cstddef>

namespace impexp {

// Well-formed UTF-8 (no overlong forms, no surrogates, nothing above U+10FFFF) and no NUL.
bool isStrictText(const char* text, std::size_t length);

}  // namespace impexp
