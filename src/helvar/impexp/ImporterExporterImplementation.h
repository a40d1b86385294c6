#pragma once
#include <string>

#include "helvar/impexp/AttributeEnumeration.h"
#include "helvar/impexp/ConfigurationBufferRenderer.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"

namespace impexp {

// Copies the desired value of every enumerated attribute that the user has set into the
// container (through its document factory) and renders the whole document.
std::string exportText(const AttributeEnumeration& enumeration, JSONAttributeContainerInterface& container,
                       AttributeFacadeFactoryInterface& documentFactory,
                       const ConfigurationBufferRendererInterface& renderer);

}  // namespace impexp
