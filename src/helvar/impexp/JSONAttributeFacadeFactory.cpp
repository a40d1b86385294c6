#include "helvar/impexp/JSONAttributeFacadeFactory.h"

#include <memory>
#include <type_traits>

#include "helvar/impexp/JSONAttributeFacade.h"

namespace impexp {

void JSONAttributeFacadeFactory::addIfMissing(const AttributeKey& key, AttributeType type, std::string_view name) {
    if (!container_.contains(key)) {
        container_.add(key, type, name);
    }
}

AttributePtr JSONAttributeFacadeFactory::create(const AttributeKey& key, AttributeType type, const std::string& name) {
    addIfMissing(key, type, name);
    AttributePtr facade;
    withJSONAttributeFacade(container_, key, type, [&](auto& made) {
        facade = std::make_shared<std::decay_t<decltype(made)>>(std::move(made));
    });
    return facade;
}

void JSONAttributeFacadeFactory::useFacadeFor(const IviAttributeBaseInterface& source, AttributeType type,
                                              AttributeFacadeUserInterface& user) {
    // Name before key, as a new record needs both.
    const std::string name = source.getName();
    const AttributeKey key = source.getKey();
    addIfMissing(key, type, name);
    withJSONAttributeFacade(container_, key, type, [&](auto& facade) { user.use(&facade); });
}

AttributePtr JSONAttributeFacadeFactory::createForKey(const AttributeKey& key) {
    // The type lookup refuses a key the container lacks; for a key it holds, create never needs
    // the name, so it is not copied out.
    return create(key, container_.getType(key), std::string());
}

}  // namespace impexp
