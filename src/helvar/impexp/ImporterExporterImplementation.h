#pragma once
#include <cstddef>
#include <functional>
#include <string>

#include "common/orverr/Status.h"

#include "helvar/impexp/AttributeEnumeration.h"
#include "helvar/impexp/ConfigurationBufferRenderer.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"

namespace impexp {

// Copies the desired value of every enumerated attribute that the user has set into the
// container (through its document factory) and renders the whole document.
std::string exportText(const AttributeEnumeration& enumeration, JSONAttributeContainerInterface& container,
                       AttributeFacadeFactoryInterface& documentFactory,
                       const ConfigurationBufferRendererInterface& renderer);

// Copies every record of the container that is to be transferred to the engine, in container order,
// each read as the container's first record with its key (what the container's iterator hands out).
// The facades live on the stack: no allocation per entry. The first refusal ends the walk; before it
// goes on, onRefusal (when given) may add to it, knowing the index of the refused record.
using RefusalNote = std::function<void(std::size_t recordIndex, orverr::Status& refusal)>;
void importEntries(JSONAttributeContainerInterface& container, AttributeFacadeFactoryInterface& engineFactory,
                   const RefusalNote& onRefusal = RefusalNote());

}  // namespace impexp
