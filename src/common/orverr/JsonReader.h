#pragma once
// The reading half of the small JSON library: finds members in a status document without a tree.
// Kept beside rapidjson on purpose: the in-place writer (JsonCursor.h) inserts at the positions
// these functions return, which rapidjson's DOM does not give; a raise must cost no more than its
// one status buffer, since out-of-memory is reported by a raise too; and skipped values are only
// bracket-matched and strings taken as they stand, where rapidjson would refuse the document.
// bench_orverr_documents: rapidjson's DOM reads and writes as fast or faster, but takes 67 KB of
// heap for what takes 216 bytes to read and 1.5 KB to raise here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

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

// Types of parseValue, numbered as the formatter reports them.
enum class JsonType : int32_t { None = 0, Null = 1, Boolean = 2, Number = 3, String = 4, Array = 5, Object = 6 };

// One value found in place: a string's extent excludes its quotes (escapes undecoded); an array
// or object spans its brackets.
struct JsonValue {
    JsonType type = JsonType::None;
    const char* begin = nullptr;
    const char* end = nullptr;  // one past the last character
};

// The value at position (leading whitespace skipped); None when nothing parses.
JsonValue parseValue(const char* position);

// The elements of an array value in order; false when it is no array or is malformed.
bool arrayElements(const JsonValue& array, std::vector<JsonValue>& elements);

// A string value's text with its JSON escapes decoded (\u sequences as UTF-8).
std::optional<std::string> decodeString(const JsonValue& value);

}  // namespace orverr
