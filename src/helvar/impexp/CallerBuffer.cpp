#include "helvar/impexp/CallerBuffer.h"

#include <cstring>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

uint32_t copyToCallerBuffer(const std::string& text, uint32_t size, char* buffer) {
    const uint64_t required = static_cast<uint64_t>(text.size()) + 1;
    const bool refused = size == 0 ? required > static_cast<uint64_t>(INT32_MAX) : size < required;
    if (refused) {
        ORVERR_THROW(orverr::codes::kBufferTooSmall)
            .usageUInt32(usage::kInvalidValue, size)
            .usageUInt64(usage::kMinValue, required)
            .raise();
    }
    if (size == 0) return static_cast<uint32_t>(required);
    std::memcpy(buffer, text.c_str(), static_cast<std::size_t>(required));
    return 0;
}

}  // namespace impexp
