#pragma once
// The texts of the engine's statuses.
#include "IviTypes.h"

namespace simivi {

// Null for a code the engine does not know.
const char* errorMessage(ViStatus code);

}  // namespace simivi
