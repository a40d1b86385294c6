#pragma once
// The copy of one attribute value between the engine side and the document side.
#include "helvar/impexp/AttributeFacadeFactoryInterface.h"

namespace impexp {

// The single copy step of export and import: makes the destination for the source's key with the
// destination factory and copies the value unchanged. Nothing is copied for other types.
void transferValue(const IviAttributeBaseInterface& source, AttributeFacadeFactoryInterface& destinationFactory);

// The same for a source whose value type the caller knows: no cast of the source on the way.
// Defined for the seven transferable value types.
template <class T>
void transferTypedValue(const IviAttributeInterface<T>& source, AttributeFacadeFactoryInterface& destinationFactory);

// The source as the attribute of value type T it must be for its type code; a software fault when
// it is not. Defined for the seven transferable value types.
template <class T>
const IviAttributeInterface<T>& typedAttribute(const IviAttributeBaseInterface& source);

}  // namespace impexp
