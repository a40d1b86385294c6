#pragma once
#include "helvar/impexp/AttributeFacadeFactoryInterface.h"

namespace impexp {

// The single copy step of export and import: makes the destination for the source's key with the
// destination factory and copies the value unchanged. Nothing is copied for other types.
void transferValue(const IviAttributeBaseInterface& source, AttributeFacadeFactoryInterface& destinationFactory);

}  // namespace impexp
