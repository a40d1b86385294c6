#include "helvar/impexp/TransferValue.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

namespace {

// Copies the value of source into the destination it is handed.
class ValueCopy : public AttributeFacadeUserInterface {
public:
    ValueCopy(const IviAttributeBaseInterface& source, AttributeType type) : source_(source), type_(type) {}

    void use(IviAttributeBaseInterface* destination) override {
        // An engine factory hands no destination for a type it does not transfer.
        if (destination == nullptr) {
            return;
        }
        visitAttributeType(type_, [&](auto tag) {
            using T = typename decltype(tag)::type;
            const auto* typedSource = dynamic_cast<const IviAttributeInterface<T>*>(&source_);
            auto* typedDestination = dynamic_cast<IviAttributeInterface<T>*>(destination);
            if (typedSource == nullptr || typedDestination == nullptr) {
                ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kFacadeTypeMismatch).raise();
            }
            const T value = typedSource->getValue();
            typedDestination->setValue(value);
        });
    }

private:
    const IviAttributeBaseInterface& source_;
    AttributeType type_;
};

}  // namespace

void transferValue(const IviAttributeBaseInterface& source, AttributeFacadeFactoryInterface& destinationFactory) {
    const AttributeType type = source.getType();
    ValueCopy copy(source, type);
    destinationFactory.useFacadeFor(source, type, copy);
}

}  // namespace impexp
