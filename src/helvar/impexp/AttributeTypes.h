#pragma once
// The engine's value type codes and the C++ type that carries each of them.
#include <cstdint>
#include <string>
#include <type_traits>

#include "IviTypes.h"

namespace impexp {

using AttributeType = int32_t;

inline constexpr AttributeType kTypeInt32 = IVI_VAL_INT32;
inline constexpr AttributeType kTypeInt64 = IVI_VAL_INT64;
inline constexpr AttributeType kTypeReal64 = IVI_VAL_REAL64;
inline constexpr AttributeType kTypeString = IVI_VAL_STRING;
inline constexpr AttributeType kTypeAddr = IVI_VAL_ADDR;
inline constexpr AttributeType kTypeSession = IVI_VAL_SESSION;
inline constexpr AttributeType kTypeBoolean = IVI_VAL_BOOLEAN;
// What a type query starts from, and what the engine answers for a type it cannot name.
inline constexpr AttributeType kTypeUnknown = IVI_VAL_UNKNOWN_TYPE;

template <class T>
struct TypeTag {
    using type = T;
};

// Calls visitor(TypeTag<T>{}) for the seven transferable types; false for any other code.
template <class Visitor>
bool visitAttributeType(AttributeType type, Visitor&& visitor) {
    switch (type) {
    case kTypeInt32: visitor(TypeTag<ViInt32>{}); return true;
    case kTypeInt64: visitor(TypeTag<ViInt64>{}); return true;
    case kTypeReal64: visitor(TypeTag<ViReal64>{}); return true;
    case kTypeString: visitor(TypeTag<std::string>{}); return true;
    case kTypeAddr: visitor(TypeTag<ViAddr>{}); return true;
    case kTypeSession: visitor(TypeTag<ViSession>{}); return true;
    case kTypeBoolean: visitor(TypeTag<ViBoolean>{}); return true;
    default: return false;
    }
}

inline bool isTransferableType(AttributeType type) {
    return visitAttributeType(type, [](auto) {});
}

}  // namespace impexp
