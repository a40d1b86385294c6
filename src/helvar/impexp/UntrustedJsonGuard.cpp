#include "helvar/impexp/UntrustedJsonGuard.h"


namespace impexp {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Bytes the scan has to look at: outside strings, and inside them. Bytes with the high bit set
// are looked at too, so that the one pass also tells whether the text is all ASCII.
struct ByteClasses {
    bool structural[256] = {};
    bool inString[256] = {};
    ByteClasses() {
        for (const char* c = "\"{}[]-0123456789"; *c != '\0'; ++c) {
            structural[static_cast<unsigned char>(*c)] = true;
        }
        inString[static_cast<unsigned char>('"')] = true;
        inString[static_cast<unsigned char>('\\')] = true;
        structural[0] = inString[0] = true;
        for (int c = 0x80; c < 0x100; ++c) structural[c] = inString[c] = true;
    }
};
const ByteClasses kClasses;

bool isIn(const bool (&classes)[256], char c) { return classes[static_cast<unsigned char>(c)]; }

// Unrolled, as this loop runs over most bytes of a document. Both classes hold the NUL, so no byte
// after the terminating one is read.
const char* skipTo(const bool (&classes)[256], const char* text) {
    for (;; text += 4) {
        if (isIn(classes, text[0])) return text;
        if (isIn(classes, text[1])) return text + 1;
        if (isIn(classes, text[2])) return text + 2;
        if (isIn(classes, text[3])) return text + 3;
    }
}

// Scans one number token starting at text; returns the position after it, or null when it
// breaks a limit.
const char* scanNumber(const char* text, const JsonLimits& limits) {
    const char* start = text;
    if (*text == '-') {
        ++text;
    }
    while (isDigit(*text) || *text == '.') {
        ++text;
    }
    if (*text == 'e' || *text == 'E') {
        ++text;
        if (*text == '+' || *text == '-') {
            ++text;
        }
        int64_t exponent = 0;
        while (isDigit(*text)) {
            exponent = exponent * 10 + (*text - '0');
            if (exponent > limits.maxExponent) {
                return nullptr;
            }
            ++text;
        }
    }
    if (static_cast<std::size_t>(text - start) > limits.maxNumberLength) {
        return nullptr;
    }
    return text;
}

bool isHigh(char c) { return (static_cast<unsigned char>(c) & 0x80) != 0; }

}  // namespace

JsonScan scanUntrustedJson(const char* text, const JsonLimits& limits) {
    JsonScan scan;
    std::size_t depth = 0;
    while (*text != '\0') {
        // Whitespace, separators and literals need no look.
        text = skipTo(kClasses.structural, text);
        const char c = *text;
        if (c == '\0') {
            break;
        }
        if (c == '"') {
            // Skip the string, escapes included; an unterminated one is the parser's to report.
            ++text;
            for (;;) {
                text = skipTo(kClasses.inString, text);
                if (isHigh(*text)) {
                    scan.nonAscii = true;
                    ++text;
                    continue;
                }
                if (*text != '\\' || text[1] == '\0') {
                    break;
                }
                if (isHigh(text[1])) scan.nonAscii = true;
                text += 2;
            }
            if (*text == '"') {
                ++text;
            }
        } else if (c == '{' || c == '[') {
            if (++depth > limits.maxNestingDepth) {
                return scan.refused();
            }
            ++text;
        } else if (c == '}' || c == ']') {
            if (depth > 0) {
                --depth;
            }
            ++text;
        } else if (c == '-' || isDigit(c)) {
            text = scanNumber(text, limits);
            if (text == nullptr) {
                return scan.refused();
            }
        } else {
            scan.nonAscii = true;
            ++text;
        }
    }
    return scan;
}

}  // namespace impexp
