// The UTF-8 halves of the wide-text conversion, the same on every platform: one decoder whose
// malformed sequences and surrogates become U+FFFD, and one encoder.
#include "common/platform/Utf8.h"

#include "common/platform/WideText.h"

namespace platform {
namespace {

bool isContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

char32_t decodeUtf8(const std::string& text, size_t& i) {
    const unsigned char lead = static_cast<unsigned char>(text[i]);
    size_t length;
    char32_t value;
    char32_t minimum;
    if (lead < 0x80) {
        ++i;
        return lead;
    } else if ((lead & 0xE0) == 0xC0) {
        length = 2, value = lead & 0x1F, minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, value = lead & 0x0F, minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, value = lead & 0x07, minimum = 0x10000;
    } else {
        ++i;
        return kReplacementCharacter;
    }
    size_t consumed = 1;
    for (; consumed < length; ++consumed) {
        if (i + consumed >= text.size()) break;
        const unsigned char c = static_cast<unsigned char>(text[i + consumed]);
        if (!isContinuation(c)) break;
        value = (value << 6) | (c & 0x3F);
    }
    i += consumed;
    if (consumed < length || value < minimum || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF))
        return kReplacementCharacter;
    return value;
}

void appendUtf8(std::string& out, char32_t value) {
    if (value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) value = kReplacementCharacter;
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

}  // namespace platform
