#pragma once
#include <string>

namespace platform {

// The file name of the loaded module (library or program) that contains address; "" when the
// system cannot tell.
std::string moduleFileName(const void* address);

}  // namespace platform
