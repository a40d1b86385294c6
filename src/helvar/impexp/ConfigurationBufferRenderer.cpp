#include "helvar/impexp/ConfigurationBufferRenderer.h"

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JSONAttribute.h"

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
            const JSONAttributeRecord& record = container_.firstRecordAt(index);
            DocumentEntry entry;
            entry.id = record.key().id;
            entry.name = record.name();
            entry.channel = record.key().channel;
            entry.value = valueOf(record);
            visitor.visit(entry);
        }
    }

private:
    template <class T>
    static const T& valueIn(const JSONAttributeRecord& record) {
        const auto* typed = dynamic_cast<const JSONAttribute<T>*>(&record);
        if (typed == nullptr || !typed->value()) {
            ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordWithoutValue).raise();
        }
        return *typed->value();
    }

    // String values are viewed in place; the record outlives the visit.
    static DocumentValue valueOf(const JSONAttributeRecord& record) {
        switch (record.getType()) {
        case kTypeInt32: return DocumentValue::int32(valueIn<ViInt32>(record));
        case kTypeInt64: return DocumentValue::int64(valueIn<ViInt64>(record));
        case kTypeReal64: return DocumentValue::real64(valueIn<ViReal64>(record));
        case kTypeString: return DocumentValue::string(valueIn<std::string>(record));
        case kTypeSession: return DocumentValue::session(valueIn<ViSession>(record));
        case kTypeBoolean: return DocumentValue::boolean(valueIn<ViBoolean>(record));
        default: return DocumentValue::none(record.getType());
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
