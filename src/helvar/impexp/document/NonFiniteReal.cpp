#include "helvar/impexp/document/NonFiniteReal.h"

#include <cmath>
#include <limits>

#include "helvar/impexp/document/DocumentConstants.h"

namespace impexp {
namespace document {

const char* nonFiniteRealText(double value) {
    if (std::isnan(value)) {
        return kNaN;
    }
    if (std::isinf(value)) {
        return value > 0 ? kPositiveInfinity : kNegativeInfinity;
    }
    return nullptr;
}

std::optional<double> parseNonFiniteReal(std::string_view text) {
    if (text == kNaN) {
        return std::numeric_limits<double>::quiet_NaN();
    }
    if (text == kPositiveInfinity) {
        return std::numeric_limits<double>::infinity();
    }
    if (text == kNegativeInfinity) {
        return -std::numeric_limits<double>::infinity();
    }
    return std::nullopt;
}

}  // namespace document
}  // namespace impexp
