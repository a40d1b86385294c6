#pragma once
// The reading half of the small JSON library: finds members in a status document without a tree.
#include <cstdint>
#include <optional>
#include <string>

namespace orverr {

// Start of the value of the top-level member name of the object starting at object (which points
// at '{'); null when absent or the text is not well formed.
const char* findMember(const char* object, const char* name);

// End of the JSON value starting at value (one past its last character), or null when malformed.
const char* skipValue(const char* value);

// Integer value of a member, when it is a number that fits int64.
std::optional<int64_t> readIntegerMember(const char* object, const char* name);

// String value of a member, unescaped, when it is a string.
std::optional<std::string> readStringMember(const char* object, const char* name);

}  // namespace orverr
