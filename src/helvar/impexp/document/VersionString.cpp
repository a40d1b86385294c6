#include "helvar/impexp/document/VersionString.h"

namespace impexp {
namespace document {
namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// A decimal number up to max: "0" alone or a non-zero first digit; advances text past it.
bool readNumber(const char*& text, uint32_t max, uint32_t& value) {
    if (!isDigit(*text)) {
        return false;
    }
    if (*text == '0') {
        ++text;
        value = 0;
        return !isDigit(*text);
    }
    value = 0;
    while (isDigit(*text)) {
        value = value * 10 + static_cast<uint32_t>(*text - '0');
        if (value > max) {
            return false;
        }
        ++text;
    }
    return true;
}

bool expect(const char*& text, char c) {
    if (*text != c) {
        return false;
    }
    ++text;
    return true;
}

// Phase letters in the order of their codes 0..3.
constexpr char kPhases[] = {'d', 'a', 'b', 'f'};

bool readPhase(const char*& text, uint32_t& phase) {
    for (uint32_t i = 0; i < sizeof kPhases; ++i) {
        if (*text == kPhases[i]) {
            phase = i;
            ++text;
            return true;
        }
    }
    return false;
}

}  // namespace

std::optional<uint32_t> parseVersionString(const char* text) {
    if (text == nullptr) {
        return std::nullopt;
    }
    uint32_t major = 0, minor = 0, update = 0, phase = 0, build = 0;
    const char* p = text;
    if (!readNumber(p, 255, major) || !expect(p, '.') || !readNumber(p, 15, minor) || !expect(p, '.') ||
        !readNumber(p, 15, update) || !readPhase(p, phase) || !readNumber(p, 16383, build)) {
        return std::nullopt;
    }
    return (major << 24) | (minor << 20) | (update << 16) | (phase << 14) | build;
}

}  // namespace document
}  // namespace impexp
