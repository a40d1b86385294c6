#pragma once
// The id of the current process.
#include <cstdint>

namespace platform {

// The current process's id.
uint32_t currentProcessId();

}  // namespace platform
