#pragma once
// A linear pre-scan of an untrusted document, run before the DOM parser sees it. The parser of the
// platform's rapidjson overflows integers on pathological numbers, and its schema validator walks
// the DOM recursively: both are kept away from texts that no sound document resembles.
#include <cstddef>
#include <cstdint>

namespace impexp {

struct JsonLimits {
    // Objects and arrays open at once; documents of this format need 4.
    std::size_t maxNestingDepth = 64;
    // Characters of one number; a double needs at most 17 significant digits.
    std::size_t maxNumberLength = 800;
    // Magnitude of a number's exponent; doubles end near 1e308 and 5e-324.
    int64_t maxExponent = 9999;
};

// What one pass over a NUL-terminated text found. nonAscii is complete only when the text is
// within the limits (the pass stops at the first limit broken).
struct JsonScan {
    bool withinLimits = true;
    bool nonAscii = false;
    JsonScan refused() const { return JsonScan{false, nonAscii}; }
};

// Not within the limits when the text nests deeper or holds a longer number or a larger exponent
// than they allow. Malformed text otherwise passes: the parser reports it.
JsonScan scanUntrustedJson(const char* text, const JsonLimits& limits = JsonLimits());

}  // namespace impexp
