#include "helvar/impexp/document/Schema.h"

#include "helvar/impexp/document/GeneratedSchema.h"

namespace impexp {
namespace document {

const char* attributeConfigurationSchema() {
    return orvgenerated::kAttributeConfigurationSchema;
}

}  // namespace document
}  // namespace impexp
