#pragma once
#include <cstdint>

namespace platform {

// The current process's id.
uint32_t currentProcessId();

}  // namespace platform
