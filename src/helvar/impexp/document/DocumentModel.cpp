#include "helvar/impexp/document/DocumentModel.h"

#include <utility>

namespace impexp {

void DocumentEntryList::add(uint32_t id, std::string name, std::string channel, DocumentValue value, std::string text) {
    entries_.push_back(OwnedEntry{id, std::move(name), std::move(channel), std::move(text), value});
}

void DocumentEntryList::addInt32(uint32_t id, std::string name, std::string channel, ViInt32 value) {
    add(id, std::move(name), std::move(channel), DocumentValue::int32(value));
}

void DocumentEntryList::addInt64(uint32_t id, std::string name, std::string channel, ViInt64 value) {
    add(id, std::move(name), std::move(channel), DocumentValue::int64(value));
}

void DocumentEntryList::addReal64(uint32_t id, std::string name, std::string channel, ViReal64 value) {
    add(id, std::move(name), std::move(channel), DocumentValue::real64(value));
}

void DocumentEntryList::addString(uint32_t id, std::string name, std::string channel, std::string value) {
    add(id, std::move(name), std::move(channel), DocumentValue::string({}), std::move(value));
}

void DocumentEntryList::addSession(uint32_t id, std::string name, std::string channel, ViSession value) {
    add(id, std::move(name), std::move(channel), DocumentValue::session(value));
}

void DocumentEntryList::addBoolean(uint32_t id, std::string name, std::string channel, ViBoolean value) {
    add(id, std::move(name), std::move(channel), DocumentValue::boolean(value));
}

void DocumentEntryList::addWithoutValue(uint32_t id, std::string name, std::string channel, AttributeType type) {
    add(id, std::move(name), std::move(channel), DocumentValue::none(type));
}

void DocumentEntryList::forEachEntry(DocumentEntryVisitorInterface& visitor) const {
    for (const OwnedEntry& owned : entries_) {
        DocumentEntry entry{owned.id, owned.name, owned.channel, owned.value};
        // The vector may have moved the strings since they were added, so the view is made here.
        if (entry.value.type == kTypeString) {
            entry.value.text = owned.text;
        }
        visitor.visit(entry);
    }
}

}  // namespace impexp
