#include "helvar/miivi/LanguageAccessor.h"

#include "helvar/miivi/SessionAttributeDefinition.h"
#include "helvar/miivi/SessionBase.h"

namespace miivi {

LanguageAccessor::LanguageAccessor(ViAttr attributeId, const char* attributeName)
    : attributeId_(attributeId), attributeName_(attributeName) {}

uint32_t LanguageAccessor::getLanguage(IviWrapperInterface& wrapper) {
    if (SessionBase::isRegistered(wrapper, attributeId_, attributeName_)) {
        ViAddr address = nullptr;
        // Errors only mean the default applies.
        if (wrapper.Ivi_GetAttributeViAddr(nullptr, attributeId_, 0, &address, true) == VI_SUCCESS && address)
            return static_cast<uint32_t>(static_cast<SessionBase*>(address)->language());
    }
    std::lock_guard<std::mutex> lock(mutex_);
    return static_cast<uint32_t>(defaultLanguage_);
}

void LanguageAccessor::setLanguage(int32_t language) {
    std::lock_guard<std::mutex> lock(mutex_);
    defaultLanguage_ = language;
}

LanguageAccessorInterface& languageAccessor() {
    using Definition = impexp_auxTemplate::SessionAttributeDefinition;
    static LanguageAccessor accessor(Definition::kAttributeId, Definition::kAttributeName);
    return accessor;
}

}  // namespace miivi
