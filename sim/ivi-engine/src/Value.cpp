#include <cstring>
#include <limits>
#include <type_traits>

#include "Value.h"

namespace simivi {

bool zeroValue(ViInt32 type, Value& out) {
    switch (type) {
        case IVI_VAL_INT32: out = ViInt32(0); return true;
        case IVI_VAL_INT64: out = ViInt64(0); return true;
        case IVI_VAL_REAL64: out = ViReal64(0); return true;
        case IVI_VAL_STRING: out = std::string(); return true;
        case IVI_VAL_ADDR: out = ViAddr(nullptr); return true;
        case IVI_VAL_SESSION: out = ViSession(0); return true;
        case IVI_VAL_BOOLEAN: out = ViBoolean(0); return true;
        default: out = std::monostate(); return false;
    }
}

ViInt32 typeCode(const Value& value) {
    return std::visit(
        [](const auto& v) -> ViInt32 {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>) {
                return IVI_VAL_UNKNOWN_TYPE;
            } else {
                return Traits<T>::kCode;
            }
        },
        value);
}

ViStatus copyOut(const std::string& text, ViInt32 bufferSize, ViChar* buffer) {
    if (bufferSize < 0) return IVI_ERROR_INVALID_PARAMETER;
    if (bufferSize > 0 && !buffer) return IVI_ERROR_NULL_POINTER;
    const size_t needed = text.size() + 1;
    if (needed > static_cast<size_t>(std::numeric_limits<ViInt32>::max())) return IVI_ERROR_OUT_OF_MEMORY;
    if (static_cast<size_t>(bufferSize) >= needed) {
        std::memcpy(buffer, text.c_str(), needed);
        return VI_SUCCESS;
    }
    if (bufferSize > 0) {
        std::memcpy(buffer, text.data(), static_cast<size_t>(bufferSize) - 1);
        buffer[bufferSize - 1] = '\0';
    }
    return static_cast<ViStatus>(needed);
}

}  // namespace simivi
