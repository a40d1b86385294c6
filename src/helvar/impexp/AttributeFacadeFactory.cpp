#include "helvar/impexp/AttributeFacadeFactory.h"

#include <memory>
#include <type_traits>

#include "helvar/impexp/AttributeFacade.h"

namespace impexp {

namespace {

// Calls use(facade) with a facade on the stack for key and type; false, without a call, for a type
// that is not transferred.
template <class Use>
bool withAttributeFacade(miivi::IviWrapperInterface& wrapper, GetAttributeHelperInterface& helper,
                         const AttributeKey& key, AttributeType type, Use&& use) {
    return visitAttributeType(type, [&](auto tag) {
        AttributeFacade<typename decltype(tag)::type> facade(wrapper, helper, key);
        use(facade);
    });
}

}  // namespace

AttributePtr AttributeFacadeFactory::create(const AttributeKey& key, AttributeType type, const std::string&) {
    AttributePtr facade;
    withAttributeFacade(wrapper_, helper_, key, type, [&](auto& made) {
        facade = std::make_shared<std::decay_t<decltype(made)>>(std::move(made));
    });
    return facade;
}

void AttributeFacadeFactory::useFacadeFor(const IviAttributeBaseInterface& source, AttributeType type,
                                          AttributeFacadeUserInterface& user) {
    const bool made = withAttributeFacade(wrapper_, helper_, source.getKey(), type,
                                          [&](auto& facade) { user.use(&facade); });
    if (!made) {
        user.use(nullptr);
    }
}

AttributePtr AttributeFacadeFactory::createForKey(const AttributeKey& key) {
    return create(key, queryEngineType(wrapper_, key.id), std::string());
}

}  // namespace impexp
