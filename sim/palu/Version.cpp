#include <cstdio>

#include "palu/tSSVersion.h"

namespace {
// Phase letters by phase number: development, alpha, beta, final.
constexpr char kPhaseLetters[4] = {'d', 'a', 'b', 'f'};
}  // namespace

char* tSSVersion::toString(char* buffer, uint32_t bufferSize) const noexcept {
    if (buffer == nullptr || bufferSize == 0) return buffer;
    std::snprintf(buffer, bufferSize, "%u.%u.%u%c%u", getMajor(), getMinor(), getUpdate(),
                  kPhaseLetters[getPhase()], getBuild());
    return buffer;
}
