#pragma once
// The seam of import validation.
#include "helvar/impexp/JSONAttributeContainerInterface.h"
#include "helvar/impexp/JSONParserInterface.h"

namespace impexp {

// Proves a schema-valid document compatible with the session and collects its entries as typed
// records. Every refusal is raised before anything is applied.
class ImportConfigurationValidatorInterface {
public:
    virtual ~ImportConfigurationValidatorInterface() = default;
    virtual void validate(const rapidjson::Document& document, JSONAttributeContainerInterface& container) = 0;
};

}  // namespace impexp
