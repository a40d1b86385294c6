#pragma once
// Status codes the storage library orvqtxfu reports.
#include <cstdint>

namespace nORVDPAI100 {

inline constexpr int32_t kStatusInvalidArgument = -50500;     // null session or reader
inline constexpr int32_t kStatusObjectNotFound = -50501;
inline constexpr int32_t kStatusClassNotFound = -50502;
inline constexpr int32_t kStatusAttributeNotFound = -50503;
inline constexpr int32_t kStatusAttributeWrongType = -50504;
inline constexpr int32_t kStatusOutOfMemory = -50352;
inline constexpr int32_t kStatusStorageUnreadable = -50505;   // description file missing or malformed
inline constexpr int32_t kStatusObjectInvalid = -50506;       // reason of isObjectInInvalidState

}  // namespace nORVDPAI100
