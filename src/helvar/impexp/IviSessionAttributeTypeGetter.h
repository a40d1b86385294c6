#pragma once
// Attribute types as the session's IVI engine reports them.
#include "helvar/impexp/AttributeTypeGetterInterface.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

// Asks the session's engine for the type; engine errors are raised.
class IviSessionAttributeTypeGetter : public AttributeTypeGetterInterface {
public:
    explicit IviSessionAttributeTypeGetter(miivi::IviWrapperInterface& wrapper) : wrapper_(wrapper) {}
    AttributeType getType(ViAttr id) override;

private:
    miivi::IviWrapperInterface& wrapper_;
};

}  // namespace impexp
