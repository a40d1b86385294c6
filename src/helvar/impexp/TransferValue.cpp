#include "helvar/impexp/TransferValue.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

void transferValue(const IviAttributeBaseInterface& source, AttributeFacadeFactoryInterface& destinationFactory) {
    const AttributeType type = source.getType();
    const std::string name = source.getName();
    const AttributeKey key = source.getKey();
    const AttributePtr destination = destinationFactory.create(key, type, name);
    visitAttributeType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        // An engine factory answers an empty pointer for a type it does not transfer.
        if (!destination) {
            return;
        }
        const auto* typedSource = dynamic_cast<const IviAttributeInterface<T>*>(&source);
        auto* typedDestination = dynamic_cast<IviAttributeInterface<T>*>(destination.get());
        if (typedSource == nullptr || typedDestination == nullptr) {
            ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kFacadeTypeMismatch).raise();
        }
        const T value = typedSource->getValue();
        typedDestination->setValue(value);
    });
}

}  // namespace impexp
