#pragma once
// Text of a Windows error code, shared by the services that report one.
#include <cstdint>
#include <string>

namespace platform::win32 {

// The system's message for code (without the trailing line break); a generic text when it has none.
std::string systemErrorMessage(uint32_t code);

}  // namespace platform::win32
