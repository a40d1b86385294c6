#pragma once
// The string form of NaN and infinite ViReal64 values in documents.
//
// A real-typed "value" that is NaN, +infinity or -infinity is written as the JSON string
// "NaN", "Infinity" or "-Infinity" (exact, case-sensitive). Every other real is a JSON number.
// The schema accepts any JSON type for "value", so such documents validate unchanged.
#include <optional>
#include <string_view>

namespace impexp {
namespace document {

// The string for a non-finite value; null for a finite one.
const char* nonFiniteRealText(double value);

// The value of one of the three strings; nothing for any other text.
std::optional<double> parseNonFiniteReal(std::string_view text);

}  // namespace document
}  // namespace impexp
