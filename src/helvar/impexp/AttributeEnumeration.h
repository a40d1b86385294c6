#pragma once
// The session's exportable attribute values, in engine attribute order and then channel order.
#include <vector>

#include "helvar/impexp/AttributeFacadeFactoryInterface.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

using AttributeEnumeration = std::vector<AttributePtr>;

// Walks the session's attributes once: readable and writable ones (by driver and user) that are
// not the engine's inherent session options, one facade per channel instance, each key once. Types without a
// document form (ViAddr and unknown codes) are left out.
AttributeEnumeration enumerateSessionAttributes(miivi::IviWrapperInterface& wrapper,
                                                AttributeFacadeFactoryInterface& engineFactory);

}  // namespace impexp
