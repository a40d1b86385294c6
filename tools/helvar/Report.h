#pragma once
// Shows a Helvar status the way a user can search for it: symbolic name, number and text.
#include <iosfwd>

#include "IviTypes.h"

namespace helvartool {

// Prints the status and the description Helvar recorded in the engine for handle (fetched and cleared).
void reportFailure(std::ostream& out, const char* operation, ViStatus status, ViSession handle);

}  // namespace helvartool
