#include "helvar/impexp/TransferValue.h"

#include <string>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

namespace {

// Copies the value of source into the destination it is handed.
template <class T>
class ValueCopy : public AttributeFacadeUserInterface {
public:
    explicit ValueCopy(const IviAttributeInterface<T>& source) : source_(source) {}

    void use(IviAttributeBaseInterface* destination) override {
        // An engine factory hands no destination for a type it does not transfer.
        if (destination == nullptr) {
            return;
        }
        // Both factories make the destination of exactly the value type they were asked for.
        const T value = source_.getValue();
        static_cast<IviAttributeInterface<T>*>(destination)->setValue(value);
    }

private:
    const IviAttributeInterface<T>& source_;
};

// For a type without a value type: the factory decides whether that is an error.
class NoCopy : public AttributeFacadeUserInterface {
public:
    void use(IviAttributeBaseInterface*) override {}
};

template <class T>
bool isOfType(AttributeType type) {
    bool same = false;
    visitAttributeType(type, [&](auto tag) { same = std::is_same_v<typename decltype(tag)::type, T>; });
    return same;
}

}  // namespace

template <class T>
const IviAttributeInterface<T>& typedAttribute(const IviAttributeBaseInterface& source) {
    const auto* typed = dynamic_cast<const IviAttributeInterface<T>*>(&source);
    if (typed == nullptr) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kFacadeTypeMismatch).raise();
    }
    return *typed;
}

void transferValue(const IviAttributeBaseInterface& source, AttributeFacadeFactoryInterface& destinationFactory) {
    const AttributeType type = source.getType();
    const bool known = visitAttributeType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        // The source's type comes from its side (the engine may answer differently from when the
        // facade was made), so it is checked.
        ValueCopy<T> copy(typedAttribute<T>(source));
        destinationFactory.useFacadeFor(source, type, copy);
    });
    if (!known) {
        NoCopy none;
        destinationFactory.useFacadeFor(source, type, none);
    }
}

template <class T>
void transferTypedValue(const IviAttributeInterface<T>& source, AttributeFacadeFactoryInterface& destinationFactory) {
    const AttributeType type = source.getType();
    if (!isOfType<T>(type)) {
        transferValue(source, destinationFactory);
        return;
    }
    ValueCopy<T> copy(source);
    destinationFactory.useFacadeFor(source, type, copy);
}

template void transferTypedValue(const IviAttributeInterface<ViInt32>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<ViInt64>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<ViReal64>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<std::string>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<ViAddr>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<ViSession>&, AttributeFacadeFactoryInterface&);
template void transferTypedValue(const IviAttributeInterface<ViBoolean>&, AttributeFacadeFactoryInterface&);

template const IviAttributeInterface<ViInt32>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<ViInt64>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<ViReal64>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<std::string>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<ViAddr>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<ViSession>& typedAttribute(const IviAttributeBaseInterface&);
template const IviAttributeInterface<ViBoolean>& typedAttribute(const IviAttributeBaseInterface&);

}  // namespace impexp
