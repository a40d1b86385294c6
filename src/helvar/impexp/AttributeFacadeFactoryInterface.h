#pragma once
// Makes attribute facades of the right value type for a key.
#include <string>

#include "helvar/impexp/IviAttributeBaseInterface.h"

namespace impexp {

class AttributeFacadeFactoryInterface {
public:
    virtual ~AttributeFacadeFactoryInterface() = default;
    virtual AttributePtr create(const AttributeKey& key, AttributeType type, const std::string& name) = 0;
    virtual AttributePtr createForKey(const AttributeKey& key) = 0;
};

}  // namespace impexp
