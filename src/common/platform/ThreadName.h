#pragma once
// Names of threads, set and read for diagnostics.
#include <string>

namespace platform {

// Names the calling thread for debuggers and process listings; the name may be cut to the
// platform's limit. Failures are ignored: a name is a diagnostic aid only.
void setCurrentThreadName(const std::string& name);

// The calling thread's name as the platform reports it ("" when unknown).
std::string currentThreadName();

}  // namespace platform
