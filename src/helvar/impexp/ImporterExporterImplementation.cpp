#include "helvar/impexp/ImporterExporterImplementation.h"

#include "common/orverr/Exception.h"

#include "helvar/impexp/JSONAttributeFacade.h"
#include "helvar/impexp/TransferValue.h"

namespace impexp {

std::string exportText(const AttributeEnumeration& enumeration, JSONAttributeContainerInterface& container,
                       AttributeFacadeFactoryInterface& documentFactory,
                       const ConfigurationBufferRendererInterface& renderer) {
    // At most one record per enumerated value: the container never grows step by step.
    container.reserve(container.size() + enumeration.size());
    for (const AttributePtr& attribute : enumeration) {
        if (attribute->wasSetByUser()) {
            transferValue(*attribute, documentFactory);
        }
    }
    return renderer.render(container);
}

void importEntries(JSONAttributeContainerInterface& container, AttributeFacadeFactoryInterface& engineFactory,
                   const RefusalNote& onRefusal) {
    for (std::size_t index = 0; index < container.size(); ++index) {
        const JSONAttributeEntry record = container.firstEntryAt(index);
        const AttributeKey key(record.id, std::string(record.channel));
        try {
            withJSONAttributeFacade(container, key, record.type, [&](const auto& facade) {
                if (facade.wasSetByUser()) {
                    transferTypedValue(facade, engineFactory);
                }
            });
        } catch (orverr::Exception& refusal) {
            if (onRefusal) onRefusal(index, refusal.status());
            throw;
        }
    }
}

}  // namespace impexp
