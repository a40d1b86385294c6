#pragma once
// Document-side facade: forwards every operation to the container's first record with its key.
#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"
#include "helvar/impexp/IviAttributeBaseInterface.h"

namespace impexp {

template <class T>
class JSONAttributeFacade : public IviAttributeInterface<T> {
public:
    JSONAttributeFacade(JSONAttributeContainerInterface& container, AttributeKey key)
        : container_(container), key_(std::move(key)) {
        if (!container_.contains(key_)) {
            ORVERR_THROW(orverr::codes::kInvalidAttributeValue).usageUInt32(usage::kAttributeId, key_.id).raise();
        }
    }

    AttributeKey getKey() const override { return key_; }
    std::string getName() const override { return container_.getName(key_); }
    AttributeType getType() const override { return container_.getType(key_); }
    bool wasSetByUser() const override { return true; }
    T getValue() const override { return ContainerAccess<T>::get(container_, key_); }
    void setValue(const T& value) override { ContainerAccess<T>::set(container_, key_, value); }

private:
    JSONAttributeContainerInterface& container_;
    AttributeKey key_;
};

// Calls use(facade) with a facade made on the stack over the container's record for key, of the
// value type of type; the facade lives as long as the call.
template <class Use>
void withJSONAttributeFacade(JSONAttributeContainerInterface& container, const AttributeKey& key,
                             AttributeType type, Use&& use) {
    const bool known = visitAttributeType(type, [&](auto tag) {
        JSONAttributeFacade<typename decltype(tag)::type> facade(container, key);
        use(facade);
    });
    if (!known) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kUnknownFacadeType).raise();
    }
}

}  // namespace impexp
