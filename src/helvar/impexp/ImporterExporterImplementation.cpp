#include "helvar/impexp/ImporterExporterImplementation.h"

#include "helvar/impexp/TransferValue.h"

namespace impexp {

std::string exportText(const AttributeEnumeration& enumeration, JSONAttributeContainerInterface& container,
                       AttributeFacadeFactoryInterface& documentFactory,
                       const ConfigurationBufferRendererInterface& renderer) {
    for (const AttributePtr& attribute : enumeration) {
        if (attribute->wasSetByUser()) {
            transferValue(*attribute, documentFactory);
        }
    }
    return renderer.render(container);
}

}  // namespace impexp
