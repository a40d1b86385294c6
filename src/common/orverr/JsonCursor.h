#pragma once
// The in-place writer of status documents: every operation inserts at a cursor and returns the
// cursor after the written text; a null position makes every later write a no-op.
#include <cstdint>

namespace orverr {

struct Status;
struct JsonCursor;

using GrowFunction = JsonCursor (*)(JsonCursor cursor);

struct JsonCursor {
    char* position = nullptr;
    GrowFunction grow = nullptr;
    Status* context = nullptr;

    bool valid() const { return position != nullptr; }
};

// Grows the status buffer to 2 * capacity - 2 and moves the cursor by the same offset.
JsonCursor growDocument(JsonCursor cursor);

// Position of the closing bracket of the top-level value; null when not well formed.
char* documentEnd(char* text);

// A cursor at the end of the top-level object of the status document, creating "{}" when
// there is no buffer yet (capacity < 4 asks reallocate for 4 bytes).
JsonCursor topLevelCursor(Status& status);

// With a null name these insert bare array elements.
JsonCursor addString(JsonCursor cursor, const char* name, const char* value);
JsonCursor addInt32(JsonCursor cursor, const char* name, int32_t value);
JsonCursor addUInt32(JsonCursor cursor, const char* name, uint32_t value);
// Insert an empty container and return a cursor on its closing bracket.
JsonCursor beginObject(JsonCursor cursor, const char* name);
JsonCursor beginArray(JsonCursor cursor, const char* name);

// The cursor inside "translator_info"."ordered_data", creating what is missing; null when the
// document belongs to another translator.
JsonCursor elaborationCursor(Status& status);

// Elaboration items (members of "ordered_data").
JsonCursor addUsageString(JsonCursor cursor, const char* usage, const char* value);
JsonCursor addUsageInt32(JsonCursor cursor, const char* usage, int32_t value);
JsonCursor addUsageUInt32(JsonCursor cursor, const char* usage, uint32_t value);
JsonCursor addUsageUInt64(JsonCursor cursor, const char* usage, uint64_t value);
JsonCursor addComment(JsonCursor cursor, const char* comment);

// Length of text once escaped for a JSON string (without the quotes).
uint32_t escapedLength(const char* text);

}  // namespace orverr
