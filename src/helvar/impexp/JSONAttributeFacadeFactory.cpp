#include "helvar/impexp/JSONAttributeFacadeFactory.h"

#include <memory>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JSONAttributeFacade.h"

namespace impexp {

AttributePtr JSONAttributeFacadeFactory::create(const AttributeKey& key, AttributeType type, const std::string& name) {
    if (!container_.contains(key)) {
        container_.add(key, type, name);
    }
    AttributePtr facade;
    const bool known = visitAttributeType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        facade = std::make_shared<JSONAttributeFacade<T>>(container_, key);
    });
    if (!known) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kUnknownFacadeType).raise();
    }
    return facade;
}

AttributePtr JSONAttributeFacadeFactory::createForKey(const AttributeKey& key) {
    // The type lookup refuses a key the container lacks; for a key it holds, create never needs
    // the name, so it is not copied out.
    return create(key, container_.getType(key), std::string());
}

}  // namespace impexp
