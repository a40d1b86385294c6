#pragma once
// Text handed to a caller's buffer under the size rules of the buffer exports.
#include <cstdint>
#include <string>

namespace impexp {

// size 0: writes nothing and returns the size needed (text and NUL). A smaller buffer is refused
// with errors::bufferTooSmall and left untouched, as is a size query beyond what a ViStatus can
// report; a large enough one receives the text and its NUL, and the result is 0. The caller has
// refused a null buffer with a non-zero size.
uint32_t copyToCallerBuffer(const std::string& text, uint32_t size, char* buffer);

}  // namespace impexp
