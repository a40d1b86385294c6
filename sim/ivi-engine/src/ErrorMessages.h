#pragma once
// The texts of the engine's statuses.
#include <string>

#include "IviTypes.h"

namespace simivi {

// Null for a code the engine does not know.
const char* errorMessage(ViStatus code);
// The text Ivi_GetErrorMessage gives: the known one, else a sentence naming the unknown code.
std::string messageText(ViStatus code);

}  // namespace simivi
