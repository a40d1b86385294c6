#pragma once
// The seam through which import validation asks for an attribute's type.
#include "helvar/impexp/AttributeTypes.h"

namespace impexp {

// The session's type code for an attribute id.
class AttributeTypeGetterInterface {
public:
    virtual ~AttributeTypeGetterInterface() = default;
    virtual AttributeType getType(ViAttr id) = 0;
};

}  // namespace impexp
