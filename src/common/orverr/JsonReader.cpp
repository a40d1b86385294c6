#include "common/orverr/JsonReader.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "common/platform/WideText.h"

namespace orverr {
namespace {

const char* skipSpace(const char* p) {
    while (*p == ' ' || *p == '\t' || *p == '\n' || *p == '\r') ++p;
    return p;
}

// End of the string starting at the opening quote, one past the closing quote.
const char* skipString(const char* p) {
    for (++p; *p; ++p) {
        if (*p == '\\') {
            if (!*++p) return nullptr;
        } else if (*p == '"') {
            return p + 1;
        }
    }
    return nullptr;
}


bool readHex4(const char* p, uint32_t& value) {
    value = 0;
    for (int i = 0; i < 4; ++i) {
        const char c = p[i];
        value <<= 4;
        if (c >= '0' && c <= '9') value |= static_cast<uint32_t>(c - '0');
        else if (c >= 'a' && c <= 'f') value |= static_cast<uint32_t>(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') value |= static_cast<uint32_t>(c - 'A' + 10);
        else return false;
    }
    return true;
}

// Unescapes the string starting at the opening quote.
std::optional<std::string> readString(const char* p) {
    if (*p != '"') return std::nullopt;
    std::string out;
    for (++p; *p && *p != '"'; ++p) {
        if (*p != '\\') {
            out += *p;
            continue;
        }
        switch (*++p) {
            case 'b': out += '\b'; break;
            case 't': out += '\t'; break;
            case 'n': out += '\n'; break;
            case 'f': out += '\f'; break;
            case 'r': out += '\r'; break;
            case 'u': {
                uint32_t cp = 0;
                if (!readHex4(p + 1, cp)) return std::nullopt;
                p += 4;
                if (cp >= 0xD800 && cp < 0xDC00 && p[1] == '\\' && p[2] == 'u') {
                    uint32_t low = 0;
                    if (readHex4(p + 3, low) && low >= 0xDC00 && low < 0xE000) {
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        p += 6;
                    }
                }
                platform::appendUtf8(out, static_cast<char32_t>(cp));
                break;
            }
            case '\0': return std::nullopt;
            default: out += *p; break;
        }
    }
    if (*p != '"') return std::nullopt;
    return out;
}

}  // namespace

const char* skipValue(const char* value) {
    if (!value) return nullptr;
    const char* p = skipSpace(value);
    if (*p == '"') return skipString(p);
    if (*p == '{' || *p == '[') {
        // Iterative bracket matching: nesting depth never touches the stack.
        size_t depth = 0;
        for (; *p; ++p) {
            if (*p == '"') {
                p = skipString(p);
                if (!p) return nullptr;
                --p;
            } else if (*p == '{' || *p == '[') {
                ++depth;
            } else if (*p == '}' || *p == ']') {
                if (--depth == 0) return p + 1;
            }
        }
        return nullptr;
    }
    const char* start = p;
    while (*p && std::strchr(" \t\r\n,}]", *p) == nullptr) ++p;
    return p == start ? nullptr : p;
}

const char* findMember(const char* object, const char* name) {
    if (!object || !name) return nullptr;
    const char* p = skipSpace(object);
    if (*p != '{') return nullptr;
    p = skipSpace(p + 1);
    if (*p == '}') return nullptr;
    const size_t nameLength = std::strlen(name);
    for (;;) {
        if (*p != '"') return nullptr;
        const char* keyEnd = skipString(p);
        if (!keyEnd) return nullptr;
        const bool plainMatch = static_cast<size_t>(keyEnd - p - 2) == nameLength &&
                                std::memcmp(p + 1, name, nameLength) == 0;
        bool match = plainMatch;
        if (!match && std::memchr(p + 1, '\\', static_cast<size_t>(keyEnd - p - 2))) {
            const auto key = readString(p);
            match = key && *key == name;
        }
        p = skipSpace(keyEnd);
        if (*p != ':') return nullptr;
        p = skipSpace(p + 1);
        if (match) return p;
        p = skipValue(p);
        if (!p) return nullptr;
        p = skipSpace(p);
        if (*p == '}') return nullptr;
        if (*p != ',') return nullptr;
        p = skipSpace(p + 1);
    }
}

std::optional<int64_t> readIntegerMember(const char* object, const char* name) {
    const char* value = findMember(object, name);
    if (!value || !(*value == '-' || (*value >= '0' && *value <= '9'))) return std::nullopt;
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(value, &end, 10);
    if (errno != 0 || end == value || *end == '.' || *end == 'e' || *end == 'E') return std::nullopt;
    return static_cast<int64_t>(number);
}

namespace {

const char* parseNumber(const char* p) {
    if (*p == '-') ++p;
    if (*p == '0') {
        ++p;
    } else if (*p >= '1' && *p <= '9') {
        while (*p >= '0' && *p <= '9') ++p;
    } else {
        return nullptr;
    }
    if (*p == '.') {
        ++p;
        if (*p < '0' || *p > '9') return nullptr;
        while (*p >= '0' && *p <= '9') ++p;
    }
    if (*p == 'e' || *p == 'E') {
        ++p;
        if (*p == '+' || *p == '-') ++p;
        if (*p < '0' || *p > '9') return nullptr;
        while (*p >= '0' && *p <= '9') ++p;
    }
    return p;
}

bool startsWithWord(const char* p, const char* word) { return std::strncmp(p, word, std::strlen(word)) == 0; }

}  // namespace

JsonValue parseValue(const char* position) {
    JsonValue value;
    if (!position) return value;
    const char* p = skipSpace(position);
    if (startsWithWord(p, "null")) return {JsonType::Null, p, p + 4};
    if (startsWithWord(p, "true")) return {JsonType::Boolean, p, p + 4};
    if (startsWithWord(p, "false")) return {JsonType::Boolean, p, p + 5};
    if (const char* end = parseNumber(p)) return {JsonType::Number, p, end};
    if (*p == '"') {
        const char* end = skipString(p);
        if (end) return {JsonType::String, p + 1, end - 1};
        return value;
    }
    if (*p == '[' || *p == '{') {
        const char* end = skipValue(p);
        if (end) return {*p == '[' ? JsonType::Array : JsonType::Object, p, end};
    }
    return value;
}

bool arrayElements(const JsonValue& array, std::vector<JsonValue>& elements) {
    elements.clear();
    if (array.type != JsonType::Array) return false;
    const char* p = skipSpace(array.begin + 1);
    if (*p == ']') return true;
    for (;;) {
        const JsonValue element = parseValue(p);
        if (element.type == JsonType::None) return false;
        elements.push_back(element);
        p = skipSpace(element.type == JsonType::String ? element.end + 1 : element.end);
        if (*p == ']') return p + 1 == array.end;
        if (*p != ',') return false;
        ++p;
    }
}

std::optional<std::string> decodeString(const JsonValue& value) {
    if (value.type != JsonType::String) return std::nullopt;
    return readString(value.begin - 1);
}

std::optional<std::string> readStringMember(const char* object, const char* name) {
    const char* value = findMember(object, name);
    if (!value) return std::nullopt;
    return readString(value);
}

}  // namespace orverr
