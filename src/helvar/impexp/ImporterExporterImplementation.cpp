#include "helvar/impexp/ImporterExporterImplementation.h"

#include "common/orverr/Exception.h"

#include "helvar/impexp/EnumeratedEntries.h"
#include "common/orverr/Raise.h"
#include "helvar/impexp/EngineValueAccess.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

std::string exportText(const AttributeEnumeration& enumeration, const ConfigurationBufferRendererInterface& renderer) {
    return renderer.render(EnumeratedEntries(enumeration));
}

namespace {

// The session's checks of the record's key, then the write on the user's behalf. The container's
// texts are each followed by a NUL, so they reach the engine where they lie.
void applyRecord(miivi::IviWrapperInterface& wrapper, const JSONAttributeEntry& record) {
    const std::string channel(record.channel);
    checkEngineValue(wrapper, record.id, channel);
    if (!record.hasValue) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordWithoutValue).raise();
    }
    const char* ch = channel.c_str();
    switch (record.type) {
    case kTypeInt32: setEngineValue(wrapper, ch, record.id, static_cast<ViInt32>(record.integer)); break;
    case kTypeInt64: setEngineValue(wrapper, ch, record.id, static_cast<ViInt64>(record.integer)); break;
    case kTypeReal64: setEngineValue(wrapper, ch, record.id, record.real); break;
    case kTypeString: wrapper.Ivi_SetAttributeViString(ch, record.id, kUserSetOptionFlags,
                                                       record.text.empty() ? "" : record.text.data());
        break;
    case kTypeAddr: setEngineValue(wrapper, ch, record.id, record.address); break;
    case kTypeSession: setEngineValue(wrapper, ch, record.id, static_cast<ViSession>(record.integer)); break;
    case kTypeBoolean: setEngineValue(wrapper, ch, record.id, static_cast<ViBoolean>(record.integer)); break;
    default: ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kUnknownFacadeType).raise();
    }
}

}  // namespace

void importEntries(const JSONAttributeContainerInterface& container, miivi::IviWrapperInterface& wrapper,
                   const RefusalNote& onRefusal) {
    for (std::size_t index = 0; index < container.size(); ++index) {
        try {
            applyRecord(wrapper, container.firstEntryAt(index));
        } catch (orverr::Exception& refusal) {
            if (onRefusal) onRefusal(index, refusal.status());
            throw;
        }
    }
}

}  // namespace impexp
