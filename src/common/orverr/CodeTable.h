#pragma once
// Looks a code up in the code table, for programs that show a status by its symbolic name.
#include <cstdint>

#include "common/orverr/Codes.h"

namespace orverr {

// The first entry of the code table with this code, or null.
const ErrorCode* findErrorCode(int32_t code);

}  // namespace orverr
