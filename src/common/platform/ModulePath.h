#pragma once
// The file of the loaded module that holds an address.
#include <string>

namespace platform {

// The file name of the loaded module (library or program) that contains address; "" when the
// system cannot tell.
std::string moduleFileName(const void* address);

// The same with every link on the way resolved, so that its folder is the one the file lies in.
std::string resolvedModuleFileName(const void* address);

}  // namespace platform
