#include "common/platform/ProcessId.h"

#include <windows.h>

namespace platform {

uint32_t currentProcessId() { return static_cast<uint32_t>(::GetCurrentProcessId()); }

}  // namespace platform
