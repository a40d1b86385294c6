#include "helvar/impexp/EnumeratedEntries.h"

#include <string>
#include <type_traits>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/TransferValue.h"

namespace impexp {

namespace {

template <class T>
DocumentValue documentValueOf(const T& value) {
    if constexpr (std::is_same_v<T, ViInt32>) return DocumentValue::int32(value);
    else if constexpr (std::is_same_v<T, ViInt64>) return DocumentValue::int64(value);
    else if constexpr (std::is_same_v<T, ViReal64>) return DocumentValue::real64(value);
    else if constexpr (std::is_same_v<T, std::string>) return DocumentValue::string(value);
    else if constexpr (std::is_same_v<T, ViSession>) return DocumentValue::session(value);
    else if constexpr (std::is_same_v<T, ViBoolean>) return DocumentValue::boolean(value);
    else return DocumentValue::none(kTypeAddr);
}

// Name, key and value in the order a copy into a document record reads them.
template <class T>
void visitValue(const IviAttributeInterface<T>& source, DocumentEntryVisitorInterface& visitor) {
    const std::string name = source.getName();
    const AttributeKey key = source.getKey();
    const T value = source.getValue();
    DocumentEntry entry;
    entry.id = key.id;
    entry.name = name;
    entry.channel = key.channel;
    entry.value = documentValueOf(value);
    visitor.visit(entry);
}

}  // namespace

void EnumeratedEntries::forEachEntry(DocumentEntryVisitorInterface& visitor) const {
    for (const AttributePtr& attribute : enumeration_) {
        if (!attribute->wasSetByUser()) continue;
        // The type is asked again: the engine may answer differently from when the facade was made.
        const bool known = visitAttributeType(attribute->getType(), [&](auto tag) {
            visitValue(typedAttribute<typename decltype(tag)::type>(*attribute), visitor);
        });
        if (!known) {
            ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kUnknownFacadeType).raise();
        }
    }
}

}  // namespace impexp
