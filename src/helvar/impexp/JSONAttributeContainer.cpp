#include "helvar/impexp/JSONAttributeContainer.h"

#include <memory>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"
#include "helvar/impexp/JSONAttribute.h"

namespace impexp {
namespace {
// Channels of one id beyond which lookups use the id's channel map; real sessions have a few.
constexpr std::size_t kLongChain = 16;
}  // namespace

const JSONAttributeRecord& JSONAttributeContainer::find(const AttributeKey& key) const {
    if (lastFound_ < records_.size() && records_[lastFound_].key() == key) {
        return records_[lastFound_];
    }
    const std::size_t found = firstIndexOf(key);
    if (found == kNone) {
        ORVERR_THROW(orverr::codes::kInvalidAttributeValue).comment(message::kAttributeNotInContainer).raise();
    }
    lastFound_ = found;
    return records_[found];
}

std::size_t JSONAttributeContainer::firstIndexOf(const AttributeKey& key) const {
    if (!longChains_.empty()) {
        const auto chain = longChains_.find(key.id);
        if (chain != longChains_.end()) {
            const auto found = chain->second.find(key.channel);
            return found == chain->second.end() ? kNone : found->second;
        }
    }
    for (std::size_t i = chainOfId_.find(key.id); i != kNone; i = nextWithSameId_[i]) {
        if (records_[i].key().channel == key.channel) {
            return i;
        }
    }
    return kNone;
}

JSONAttributeRecord& JSONAttributeContainer::find(const AttributeKey& key) {
    return const_cast<JSONAttributeRecord&>(static_cast<const JSONAttributeContainer&>(*this).find(key));
}

const JSONAttributeRecord& JSONAttributeContainer::firstRecordAt(std::size_t index) const {
    if (index >= records_.size()) {
        ORVERR_THROW(orverr::codes::kOutOfRange).comment(message::kIndexOutOfRange).raise();
    }
    return records_[firstOf_[index]];
}

AttributeType JSONAttributeContainer::getType(const AttributeKey& key) const { return find(key).getType(); }

std::string JSONAttributeContainer::getName(const AttributeKey& key) const { return find(key).name(); }

bool JSONAttributeContainer::contains(const AttributeKey& key) const {
    if (lastFound_ < records_.size() && records_[lastFound_].key() == key) {
        return true;
    }
    // Remembered like any lookup: a facade asks next about the key it has just checked.
    const std::size_t found = firstIndexOf(key);
    if (found == kNone) {
        return false;
    }
    lastFound_ = found;
    return true;
}

std::size_t JSONAttributeContainer::size() const { return records_.size(); }

AttributeKey JSONAttributeContainer::keyAt(std::size_t index) const {
    if (index >= records_.size()) {
        ORVERR_THROW(orverr::codes::kOutOfRange).comment(message::kIndexOutOfRange).raise();
    }
    return records_[index].key();
}

void JSONAttributeContainer::add(const AttributeKey& key, AttributeType type, std::string name) {
    visitAttributeType(type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        append(new JSONAttribute<T>(key, type, std::move(name)));
    });
}

void JSONAttributeContainer::reserve(std::size_t count) {
    records_.reserve(count);
    firstOf_.reserve(count);
    // append relies on the chain links having at least the room of the first-record positions.
    nextWithSameId_.reserve(firstOf_.capacity());
    chainOfId_.reserve(count);
}

void JSONAttributeContainer::append(JSONAttributeRecord* record) {
    std::unique_ptr<JSONAttributeRecord> owned(record);
    // Everything that can fail comes first, so a failure leaves the container as it was.
    if (firstOf_.size() == firstOf_.capacity()) {
        firstOf_.reserve(firstOf_.capacity() * 2 + 16);
        nextWithSameId_.reserve(firstOf_.capacity());
    }
    const std::size_t first = record != nullptr ? firstIndexOf(record->key()) : kNone;
    std::size_t* chainHead = nullptr;
    if (record != nullptr && first == kNone) {
        chainHead = &chainOfId_.slot(record->key().id);
    }
    records_.push_back(owned.get());  // refuses a null record
    owned.release();

    const std::size_t index = records_.size() - 1;
    if (chainHead != nullptr) {
        // A new key heads the chain of its id.
        nextWithSameId_.push_back(*chainHead);
        firstOf_.push_back(index);
        *chainHead = index;
        lastFound_ = index;
        indexLongChain(records_[index].key(), index);
    } else {
        // A later record with a known key is never found by lookups: the first one answers.
        nextWithSameId_.push_back(kNone);
        firstOf_.push_back(first);
    }
}

void JSONAttributeContainer::indexLongChain(const AttributeKey& key, std::size_t index) {
    const auto known = longChains_.find(key.id);
    if (known != longChains_.end()) {
        known->second.emplace(key.channel, index);
        return;
    }
    std::size_t length = 0;
    for (std::size_t i = index; i != kNone && length <= kLongChain; i = nextWithSameId_[i]) ++length;
    if (length <= kLongChain) return;
    auto& channels = longChains_[key.id];
    for (std::size_t i = index; i != kNone; i = nextWithSameId_[i]) channels.emplace(records_[i].key().channel, i);
}

template <class T>
T JSONAttributeContainer::getValue(const AttributeKey& key) const {
    const auto* record = dynamic_cast<const JSONAttribute<T>*>(&find(key));
    if (record == nullptr) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordTypeMismatch).raise();
    }
    if (!record->value()) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordWithoutValue).raise();
    }
    return *record->value();
}

template <class T>
void JSONAttributeContainer::setValue(const AttributeKey& key, const T& value) {
    auto* record = dynamic_cast<JSONAttribute<T>*>(&find(key));
    if (record == nullptr) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordTypeMismatch).raise();
    }
    record->setValue(value);
}

std::string JSONAttributeContainer::getValueString(const AttributeKey& key) const { return getValue<std::string>(key); }
ViSession JSONAttributeContainer::getValueUInt32(const AttributeKey& key) const { return getValue<ViSession>(key); }
ViReal64 JSONAttributeContainer::getValueReal64(const AttributeKey& key) const { return getValue<ViReal64>(key); }
ViInt64 JSONAttributeContainer::getValueInt64(const AttributeKey& key) const { return getValue<ViInt64>(key); }
ViInt32 JSONAttributeContainer::getValueInt32(const AttributeKey& key) const { return getValue<ViInt32>(key); }
ViBoolean JSONAttributeContainer::getValueBoolean(const AttributeKey& key) const { return getValue<ViBoolean>(key); }
ViAddr JSONAttributeContainer::getValueAddr(const AttributeKey& key) const { return getValue<ViAddr>(key); }

void JSONAttributeContainer::setValueString(const AttributeKey& key, const std::string& value) { setValue(key, value); }
void JSONAttributeContainer::setValueUInt32(const AttributeKey& key, ViSession value) { setValue(key, value); }
void JSONAttributeContainer::setValueReal64(const AttributeKey& key, ViReal64 value) { setValue(key, value); }
void JSONAttributeContainer::setValueInt64(const AttributeKey& key, ViInt64 value) { setValue(key, value); }
void JSONAttributeContainer::setValueInt32(const AttributeKey& key, ViInt32 value) { setValue(key, value); }
void JSONAttributeContainer::setValueBoolean(const AttributeKey& key, ViBoolean value) { setValue(key, value); }
void JSONAttributeContainer::setValueAddr(const AttributeKey& key, ViAddr value) { setValue(key, value); }

}  // namespace impexp
