#include "helvar/impexp/ConfigurationBufferRenderer.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {

namespace {

// Hands the container's records to the document writer in container order, without copying
// the container.
class ContainerEntries : public DocumentEntriesInterface {
public:
    explicit ContainerEntries(const JSONAttributeContainerInterface& container) : container_(container) {}

    std::size_t entryCount() const override { return container_.size(); }

    void forEachEntry(DocumentEntryVisitorInterface& visitor) const override {
        // Each entry reads the first record with its key, as lookups by key would.
        for (std::size_t index = 0; index < container_.size(); ++index) {
            const JSONAttributeEntry record = container_.firstEntryAt(index);
            DocumentEntry entry;
            entry.id = record.id;
            entry.name = record.name;
            entry.channel = record.channel;
            entry.value = valueOf(record);
            visitor.visit(entry);
        }
    }

private:
    // String values are viewed in place; the container outlives the visit.
    static DocumentValue valueOf(const JSONAttributeEntry& record) {
        if (record.type == kTypeAddr || !isTransferableType(record.type)) return DocumentValue::none(record.type);
        if (!record.hasValue) {
            ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordWithoutValue).raise();
        }
        switch (record.type) {
        case kTypeInt32: return DocumentValue::int32(static_cast<ViInt32>(record.integer));
        case kTypeInt64: return DocumentValue::int64(record.integer);
        case kTypeReal64: return DocumentValue::real64(record.real);
        case kTypeString: return DocumentValue::string(record.text);
        case kTypeSession: return DocumentValue::session(static_cast<ViSession>(record.integer));
        default: return DocumentValue::boolean(static_cast<ViBoolean>(record.integer));
        }
    }

    const JSONAttributeContainerInterface& container_;
};

}  // namespace

std::string ConfigurationBufferRenderer::render(const JSONAttributeContainerInterface& container) const {
    DocumentHeader header;
    header.timeStamp = timeSource_.now();
    header.channels = session_->channels;
    header.optionString = session_->optionString;
    header.modelNumber = session_->modelNumber;
    return writer_.render(header, ContainerEntries(container));
}

}  // namespace impexp
