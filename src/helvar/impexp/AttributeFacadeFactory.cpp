#include "helvar/impexp/AttributeFacadeFactory.h"

#include <memory>

#include "helvar/impexp/AttributeFacade.h"

namespace impexp {

AttributePtr AttributeFacadeFactory::create(const AttributeKey& key, AttributeType type, const std::string&) {
    AttributePtr facade;
    visitAttributeType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        facade = std::make_shared<AttributeFacade<T>>(wrapper_, helper_, key);
    });
    return facade;
}

AttributePtr AttributeFacadeFactory::createForKey(const AttributeKey& key) {
    return create(key, queryEngineType(wrapper_, key.id), std::string());
}

}  // namespace impexp
