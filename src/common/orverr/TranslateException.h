#pragma once
// The conversion of an exception in flight into a status.
#include "common/orverr/Status.h"

namespace orverr {

// Called inside a catch handler: rethrows the exception in flight and fills status from it
// (Exception: its status; std::bad_alloc: out of memory; other std::exception: unexpected
// failure with "std_exception_what"). Other exceptions propagate.
void translateException(Status& status);

}  // namespace orverr
