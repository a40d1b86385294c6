#pragma once
// The export and import walks of the import/export engine.
#include <cstddef>
#include <functional>
#include <string>

#include "common/orverr/Status.h"

#include "helvar/impexp/AttributeEnumeration.h"
#include "helvar/impexp/ConfigurationBufferRenderer.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

// Renders the whole document with the desired value of every enumerated attribute that the user
// has set, each read as the writer reaches it.
std::string exportText(const AttributeEnumeration& enumeration, const ConfigurationBufferRendererInterface& renderer);

// Writes every record of the container to the session, in container order, each read as the
// container's first record with its key (what lookups by that key answer), after the session's
// availability and channel checks of its key. The first refusal ends the walk; before it goes on,
// onRefusal (when given) may add to it, knowing the index of the refused record.
using RefusalNote = std::function<void(std::size_t recordIndex, orverr::Status& refusal)>;
void importEntries(const JSONAttributeContainerInterface& container, miivi::IviWrapperInterface& wrapper,
                   const RefusalNote& onRefusal = RefusalNote());

}  // namespace impexp
