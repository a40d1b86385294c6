#pragma once
// Text of a Windows error code, shared by the services that report one.
#include <cstdint>
#include <string>

#include "common/platform/OsError.h"

namespace platform::win32 {

// The system's message for code (without the trailing line break); a generic text when it has none.
std::string systemErrorMessage(uint32_t code);

// Fills error from a Windows error code; always false, for `return ok || failWith(...)`.
bool failWith(uint32_t code, OsError& error);

}  // namespace platform::win32
