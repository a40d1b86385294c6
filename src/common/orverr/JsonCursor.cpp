#include "common/orverr/JsonCursor.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "common/orverr/Codes.h"
#include "common/orverr/JsonReader.h"
#include "common/orverr/Status.h"

namespace orverr {
namespace {

constexpr int64_t kGrowthLimit = 0x7FFFFFFD;

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isOpening(char c) { return c == '{' || c == '['; }
bool isClosing(char c) { return c == '}' || c == ']'; }

const char* escapeOf(unsigned char c) {
    switch (c) {
        case '\b': return "\\b";
        case '\t': return "\\t";
        case '\n': return "\\n";
        case '\f': return "\\f";
        case '\r': return "\\r";
        case '"': return "\\\"";
        case '\\': return "\\\\";
        default: return nullptr;
    }
}

bool needsUnicodeEscape(unsigned char c) { return c < 0x20 || c == 0x7F; }

char* writeEscaped(char* out, const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (const char* e = escapeOf(*p)) {
            *out++ = e[0];
            *out++ = e[1];
        } else if (needsUnicodeEscape(*p)) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\u%04x", static_cast<unsigned>(*p));
            std::memcpy(out, hex, 6);
            out += 6;
        } else {
            *out++ = static_cast<char>(*p);
        }
    }
    return out;
}

// What goes in the value position of one inserted element.
struct Value {
    enum class Kind { String, Raw, Container } kind;
    const char* text;
    uint32_t length() const { return kind == Kind::String ? escapedLength(text) + 2 : static_cast<uint32_t>(std::strlen(text)); }
};

uint32_t freeRoom(const Status& status) {
    const uint32_t used = static_cast<uint32_t>(std::strlen(status.json)) + 2;  // NUL and sentinel
    return status.capacity > used ? status.capacity - used : 0;
}

bool containerIsEmpty(const char* position) {
    if (isClosing(*position)) {
        const char* p = position - 1;
        while (isSpace(*p)) --p;
        return isOpening(*p);
    }
    const char* p = position + 1;
    while (isSpace(*p)) ++p;
    return isClosing(*p);
}

// Inserts one element (a member when name is non-null) at the cursor. Returns the cursor after
// the written text; for an empty container value, a cursor on that container's closing bracket.
JsonCursor insertElement(JsonCursor cursor, const char* name, const Value& value) {
    while (cursor.position) {
        Status& status = *cursor.context;
        char* position = cursor.position;
        const bool append = isClosing(*position);
        if (!append && !isOpening(*position)) return JsonCursor{};
        const bool empty = containerIsEmpty(position);
        const uint32_t nameLength = name ? 1 + escapedLength(name) + 2 : 0;
        const uint32_t needed = nameLength + value.length() + (empty ? 0 : 1);
        if (freeRoom(status) < needed) {
            const uint32_t before = status.capacity;
            cursor = cursor.grow ? cursor.grow(cursor) : JsonCursor{};
            if (cursor.position && status.capacity <= before) return JsonCursor{};
            continue;
        }
        char* gap = append ? position : position + 1;
        std::memmove(gap + needed, gap, std::strlen(gap) + 1);
        char* out = gap;
        if (append && !empty) *out++ = ',';
        if (name) {
            *out++ = '"';
            out = writeEscaped(out, name);
            *out++ = '"';
            *out++ = ':';
        }
        if (value.kind == Value::Kind::String) {
            *out++ = '"';
            out = writeEscaped(out, value.text);
            *out++ = '"';
        } else {
            const size_t length = std::strlen(value.text);
            std::memcpy(out, value.text, length);
            out += length;
        }
        if (!append && !empty) *out++ = ',';
        JsonCursor result = cursor;
        if (value.kind == Value::Kind::Container) {
            result.position = out - (!append && !empty ? 2 : 1);
        } else {
            result.position = append ? gap + needed : position;
        }
        return result;
    }
    return JsonCursor{};
}

JsonCursor findContainerEnd(Status& status, const char* value, char opening) {
    if (!value || *value != opening) return JsonCursor{};
    const char* end = skipValue(value);
    if (!end) return JsonCursor{};
    return JsonCursor{status.json + (end - 1 - status.json), &growDocument, &status};
}

}  // namespace

uint32_t escapedLength(const char* text) {
    uint32_t length = 0;
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (escapeOf(*p)) length += 2;
        else if (needsUnicodeEscape(*p)) length += 6;
        else length += 1;
    }
    return length;
}

char* documentEnd(char* text) {
    if (!text || !isOpening(*text)) return nullptr;
    const char* end = skipValue(text);
    return end ? text + (end - 1 - text) : nullptr;
}

JsonCursor growDocument(JsonCursor cursor) {
    if (!cursor.position || !cursor.context) return JsonCursor{};
    Status& status = *cursor.context;
    const int64_t doubled = 2 * static_cast<int64_t>(status.capacity);
    if (doubled - 4 >= kGrowthLimit) return JsonCursor{};
    const ptrdiff_t offset = cursor.position - status.json;
    if (!status.reallocate(status, static_cast<uint32_t>(doubled - 2))) return JsonCursor{};
    if (!documentEnd(status.json)) return JsonCursor{};
    cursor.position = status.json + offset;
    return cursor;
}

JsonCursor topLevelCursor(Status& status) {
    if (status.capacity < 4 && !status.reallocate(status, 4)) return JsonCursor{};
    if (!status.json || status.json[0] != '{') return JsonCursor{};
    char* end = documentEnd(status.json);
    if (!end) return JsonCursor{};
    return JsonCursor{end, &growDocument, &status};
}

JsonCursor addString(JsonCursor cursor, const char* name, const char* value) {
    return insertElement(cursor, name, Value{Value::Kind::String, value ? value : ""});
}

JsonCursor addInt32(JsonCursor cursor, const char* name, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIi32, value);
    return insertElement(cursor, name, Value{Value::Kind::Raw, text});
}

JsonCursor addUInt32(JsonCursor cursor, const char* name, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIu32, value);
    return insertElement(cursor, name, Value{Value::Kind::Raw, text});
}

JsonCursor beginObject(JsonCursor cursor, const char* name) { return insertElement(cursor, name, Value{Value::Kind::Container, "{}"}); }

JsonCursor beginArray(JsonCursor cursor, const char* name) { return insertElement(cursor, name, Value{Value::Kind::Container, "[]"}); }

JsonCursor elaborationCursor(Status& status) {
    JsonCursor top = topLevelCursor(status);
    if (!top.valid()) return JsonCursor{};
    JsonCursor info;
    if (findMember(status.json, "translator")) {
        const auto name = readStringMember(status.json, "translator");
        if (!name || *name != kTranslatorName) return JsonCursor{};
        if (const char* existing = findMember(status.json, "translator_info")) {
            info = findContainerEnd(status, existing, '{');
        } else {
            info = beginObject(top, "translator_info");
        }
    } else {
        top = addString(top, "translator", kTranslatorName);
        info = beginObject(top, "translator_info");
    }
    if (!info.valid()) return JsonCursor{};
    const char* infoValue = findMember(status.json, "translator_info");
    if (!infoValue || *infoValue != '{') return JsonCursor{};
    if (const char* ordered = findMember(infoValue, "ordered_data")) return findContainerEnd(status, ordered, '[');
    info = addString(info, "is_debug", "0");
    info = addInt32(info, "version", 1);
    return beginArray(info, "ordered_data");
}

namespace {
JsonCursor usageItem(JsonCursor cursor, const char* usage, const Value& value, const char* valueType) {
    JsonCursor item = beginObject(cursor, nullptr);
    item = addString(item, "type", "usage");
    item = addString(item, "usage", usage);
    item = insertElement(item, "value", value);
    item = addString(item, "value_type", valueType);
    if (!item.valid()) return JsonCursor{};
    // Back to the closing bracket of ordered_data, just after this item.
    item.position += 1;
    return item;
}
}  // namespace

JsonCursor addUsageString(JsonCursor cursor, const char* usage, const char* value) {
    return usageItem(cursor, usage, Value{Value::Kind::String, value ? value : ""}, "string");
}

JsonCursor addUsageInt32(JsonCursor cursor, const char* usage, int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIi32, value);
    return usageItem(cursor, usage, Value{Value::Kind::Raw, text}, "int32_t");
}

JsonCursor addUsageUInt32(JsonCursor cursor, const char* usage, uint32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%" PRIu32, value);
    return usageItem(cursor, usage, Value{Value::Kind::Raw, text}, "uint32_t");
}

JsonCursor addUsageUInt64(JsonCursor cursor, const char* usage, uint64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%" PRIu64, value);
    return usageItem(cursor, usage, Value{Value::Kind::String, text}, "uint64_t");
}

JsonCursor addComment(JsonCursor cursor, const char* comment) {
    JsonCursor item = beginObject(cursor, nullptr);
    item = addString(item, "type", "comment");
    item = addString(item, "comment", comment ? comment : "");
    if (!item.valid()) return JsonCursor{};
    item.position += 1;
    return item;
}

}  // namespace orverr
