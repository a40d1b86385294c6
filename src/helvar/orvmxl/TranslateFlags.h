#pragma once
// Parts of a description to produce.
#include <cstdint>

namespace orvmxl {

inline constexpr uint32_t kStatic = 0x1;                 // the description of the code
inline constexpr uint32_t kDynamic = 0x2;                // the elaborations
inline constexpr uint32_t kDebug = 0x4;                  // the translators' debug parts
inline constexpr uint32_t kNested = 0x8;                 // nested errors
inline constexpr uint32_t kLocalCodePage = 0x40000000;   // the language's Windows code page instead of UTF-8

}  // namespace orvmxl
