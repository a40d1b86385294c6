#pragma once
// Makes attribute facades of the right value type for a key.
#include <string>

#include "helvar/impexp/IviAttributeBaseInterface.h"

namespace impexp {

// Receives a facade that lives only as long as the call; null when the side does not transfer
// the type.
class AttributeFacadeUserInterface {
public:
    virtual ~AttributeFacadeUserInterface() = default;
    virtual void use(IviAttributeBaseInterface* facade) = 0;
};

class AttributeFacadeFactoryInterface {
public:
    virtual ~AttributeFacadeFactoryInterface() = default;
    virtual AttributePtr create(const AttributeKey& key, AttributeType type, const std::string& name) = 0;
    virtual AttributePtr createForKey(const AttributeKey& key) = 0;
    // What create makes for the key of source and type, handed to user from the stack: one
    // transfer allocates nothing for it. The source's name is read only by a side that keeps names.
    // The facade is an IviAttributeInterface<T> of exactly type's value type, so users cast it
    // statically.
    virtual void useFacadeFor(const IviAttributeBaseInterface& source, AttributeType type,
                              AttributeFacadeUserInterface& user) = 0;
};

}  // namespace impexp
