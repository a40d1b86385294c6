#pragma once
// The driver-session attribute that holds this library's session object.
#include "IviTypes.h"

namespace impexp_auxTemplate {

struct SessionAttributeDefinition {
    static constexpr ViAttr kAttributeId = 1100141;
    // Registered with the engine and compared byte for byte when the object is looked up.
    static constexpr const char* kAttributeName = "((1000000 + 100000) + 141L)";
};

}  // namespace impexp_auxTemplate
