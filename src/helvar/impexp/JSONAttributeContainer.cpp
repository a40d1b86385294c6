#include "helvar/impexp/JSONAttributeContainer.h"

#include <cstring>
#include <limits>
#include <memory>
#include <stdexcept>
#include <type_traits>

#include <boost/numeric/conversion/cast.hpp>
#include <boost/ptr_container/exception.hpp>

#include "common/orverr/Raise.h"
#include "helvar/impexp/ImpExpTerms.h"

namespace impexp {
namespace {

template <class T>
constexpr AttributeType kCodeOf = kTypeUnknown;
template <>
constexpr AttributeType kCodeOf<ViInt32> = kTypeInt32;
template <>
constexpr AttributeType kCodeOf<ViInt64> = kTypeInt64;
template <>
constexpr AttributeType kCodeOf<ViReal64> = kTypeReal64;
template <>
constexpr AttributeType kCodeOf<std::string> = kTypeString;
template <>
constexpr AttributeType kCodeOf<ViAddr> = kTypeAddr;
template <>
constexpr AttributeType kCodeOf<ViSession> = kTypeSession;
template <>
constexpr AttributeType kCodeOf<ViBoolean> = kTypeBoolean;

// Drivers number their attributes in runs: keeping consecutive ids of one channel in neighbouring
// slots keeps a walk over a document's entries in cache, where a scattering hash would miss on
// every lookup. Channels spread the keys of one id, however many channels a document names.
std::size_t hashOf(ViAttr id, std::string_view channel) {
    std::size_t hash = static_cast<std::size_t>(id ^ (id >> 16));
    if (!channel.empty()) {
        uint64_t text = 14695981039346656037ull;  // FNV-1a
        for (char c : channel) text = (text ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        hash += static_cast<std::size_t>(text ^ (text >> 32));
    }
    return hash;
}

uint32_t lengthOf(std::string_view text) { return boost::numeric_cast<uint32_t>(text.size()); }

}  // namespace

std::size_t JSONAttributeContainer::slotOf(ViAttr id, std::string_view channel) const {
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = hashOf(id, channel) & mask;
    for (;; slot = (slot + 1) & mask) {
        const uint32_t index = slots_[slot];
        if (index == kEmpty) return slot;
        const Record& record = records_[index];
        if (record.id == id && record.channelView() == channel) return slot;
    }
}

uint32_t JSONAttributeContainer::firstIndexOf(ViAttr id, std::string_view channel) const {
    return slots_.empty() ? kEmpty : slots_[slotOf(id, channel)];
}

std::string_view JSONAttributeContainer::keep(std::string_view text) {
    if (!borrowTexts_) return texts_.store(text);
    return text.empty() ? std::string_view("", 0) : text;
}

void JSONAttributeContainer::rehash(std::size_t size) {
    std::vector<uint32_t> old(size, kEmpty);
    old.swap(slots_);
    for (uint32_t index : old) {
        if (index != kEmpty) slots_[slotOf(records_[index].id, records_[index].channelView())] = index;
    }
}

const JSONAttributeContainer::Record& JSONAttributeContainer::find(const AttributeKey& key) const {
    if (lastFound_ < records_.size()) {
        const Record& last = records_[lastFound_];
        if (last.id == key.id && last.channelView() == key.channel) return last;
    }
    const uint32_t found = firstIndexOf(key.id, key.channel);
    if (found == kEmpty) {
        ORVERR_THROW(orverr::codes::kInvalidAttributeValue).comment(message::kAttributeNotInContainer).raise();
    }
    lastFound_ = found;
    return records_[found];
}

JSONAttributeContainer::Record& JSONAttributeContainer::find(const AttributeKey& key) {
    return const_cast<Record&>(static_cast<const JSONAttributeContainer&>(*this).find(key));
}

AttributeType JSONAttributeContainer::getType(const AttributeKey& key) const { return find(key).type; }

std::string JSONAttributeContainer::getName(const AttributeKey& key) const {
    return std::string(find(key).nameView());
}

bool JSONAttributeContainer::contains(const AttributeKey& key) const {
    if (lastFound_ < records_.size()) {
        const Record& last = records_[lastFound_];
        if (last.id == key.id && last.channelView() == key.channel) return true;
    }
    // Remembered like any lookup: a facade asks next about the key it has just checked.
    const uint32_t found = firstIndexOf(key.id, key.channel);
    if (found == kEmpty) return false;
    lastFound_ = found;
    return true;
}

std::size_t JSONAttributeContainer::size() const { return records_.size(); }

AttributeKey JSONAttributeContainer::keyAt(std::size_t index) const {
    if (index >= records_.size()) {
        ORVERR_THROW(orverr::codes::kOutOfRange).comment(message::kIndexOutOfRange).raise();
    }
    return AttributeKey(records_[index].id, std::string(records_[index].channelView()));
}

JSONAttributeEntry JSONAttributeContainer::firstEntryAt(std::size_t index) const {
    if (index >= records_.size()) {
        ORVERR_THROW(orverr::codes::kOutOfRange).comment(message::kIndexOutOfRange).raise();
    }
    // While no key repeats, every record is the first with its key: no index probe is needed.
    const Record& record = keys_ == records_.size()
                               ? records_[index]
                               : records_[firstIndexOf(records_[index].id, records_[index].channelView())];
    JSONAttributeEntry entry;
    entry.id = record.id;
    entry.type = record.type;
    entry.name = record.nameView();
    entry.channel = record.channelView();
    entry.hasValue = record.hasValue;
    if (record.hasValue) {
        switch (record.type) {
        case kTypeReal64: entry.real = record.value.real; break;
        case kTypeString: entry.text = std::string_view(record.value.text, record.textLength); break;
        case kTypeAddr: entry.address = record.value.address; break;
        default: entry.integer = record.value.integer; break;
        }
    }
    return entry;
}

void JSONAttributeContainer::add(const AttributeKey& key, AttributeType type, std::string_view name) {
    if (isTransferableType(type)) addRecord(key.id, key.channel, type, keep(name));
}

void JSONAttributeContainer::addRecord(ViAttr id, std::string_view channel, AttributeType type,
                                       std::string_view storedName) {
    if (records_.size() >= kEmpty) throw std::length_error("attribute container");
    // Everything that can fail comes first, so a failure leaves the records as they were.
    if ((keys_ + 1) * 2 > slots_.size()) rehash(slots_.empty() ? 16 : slots_.size() * 2);
    Record record{};
    const std::string_view storedChannel = texts_.store(channel);
    record.name = storedName.data();
    record.nameLength = lengthOf(storedName);
    record.channel = storedChannel.data();
    record.channelLength = lengthOf(storedChannel);
    record.id = id;
    record.type = type;
    const std::size_t slot = slotOf(id, channel);
    records_.push_back(record);
    // A later record with a known key is never found by lookups: the first one answers.
    if (slots_[slot] == kEmpty) {
        slots_[slot] = static_cast<uint32_t>(records_.size() - 1);
        ++keys_;
        lastFound_ = records_.size() - 1;
    }
}

void JSONAttributeContainer::reserve(std::size_t count) {
    records_.reserve(count);
    std::size_t size = slots_.empty() ? 16 : slots_.size();
    while (count * 2 > size) size *= 2;
    if (size != slots_.size()) rehash(size);
}

void JSONAttributeContainer::append(JSONAttributeRecord* record) {
    if (record == nullptr) throw boost::bad_pointer("Null pointer in 'push_back()'");
    const std::unique_ptr<JSONAttributeRecord> owned(record);
    const std::size_t before = records_.size();
    // The record is deleted on return: its texts are copied whatever the container borrows.
    addRecord(record->key().id, record->key().channel, record->getType(), texts_.store(record->name()));
    Record& added = records_[before];
    visitAttributeType(added.type, [&](auto tag) {
        using T = typename decltype(tag)::type;
        const auto* typed = dynamic_cast<const JSONAttribute<T>*>(record);
        if (typed == nullptr || !typed->value()) return;
        const bool wasFirst = firstIndexOf(added.id, added.channelView()) == before;
        // Only a first record takes a value: later ones are never read.
        if (wasFirst) {
            if constexpr (std::is_same_v<T, std::string>) {
                const std::string_view text = texts_.store(*typed->value());
                added.value.text = text.data();
                added.textLength = lengthOf(text);
            } else if constexpr (std::is_same_v<T, ViReal64>) {
                added.value.real = *typed->value();
            } else if constexpr (std::is_same_v<T, ViAddr>) {
                added.value.address = *typed->value();
            } else {
                added.value.integer = static_cast<int64_t>(*typed->value());
            }
            added.hasValue = true;
        }
    });
}

template <class T>
T JSONAttributeContainer::getValue(const AttributeKey& key) const {
    const Record& record = find(key);
    if (record.type != kCodeOf<T>) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordTypeMismatch).raise();
    }
    if (!record.hasValue) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordWithoutValue).raise();
    }
    if constexpr (std::is_same_v<T, std::string>) {
        return std::string(record.value.text, record.textLength);
    } else if constexpr (std::is_same_v<T, ViReal64>) {
        return record.value.real;
    } else if constexpr (std::is_same_v<T, ViAddr>) {
        return record.value.address;
    } else {
        return static_cast<T>(record.value.integer);
    }
}

template <class T>
JSONAttributeContainer::Record& JSONAttributeContainer::recordFor(const AttributeKey& key) {
    Record& record = find(key);
    if (record.type != kCodeOf<T>) {
        ORVERR_THROW(orverr::codes::kSoftwareFault).comment(message::kRecordTypeMismatch).raise();
    }
    return record;
}

std::string JSONAttributeContainer::getValueString(const AttributeKey& key) const { return getValue<std::string>(key); }
ViSession JSONAttributeContainer::getValueUInt32(const AttributeKey& key) const { return getValue<ViSession>(key); }
ViReal64 JSONAttributeContainer::getValueReal64(const AttributeKey& key) const { return getValue<ViReal64>(key); }
ViInt64 JSONAttributeContainer::getValueInt64(const AttributeKey& key) const { return getValue<ViInt64>(key); }
ViInt32 JSONAttributeContainer::getValueInt32(const AttributeKey& key) const { return getValue<ViInt32>(key); }
ViBoolean JSONAttributeContainer::getValueBoolean(const AttributeKey& key) const { return getValue<ViBoolean>(key); }
ViAddr JSONAttributeContainer::getValueAddr(const AttributeKey& key) const { return getValue<ViAddr>(key); }

void JSONAttributeContainer::setValueString(const AttributeKey& key, std::string_view value) {
    Record& record = recordFor<std::string>(key);
    const std::string_view text = keep(value);
    record.value.text = text.data();
    record.textLength = lengthOf(text);
    record.hasValue = true;
}

#define IMPEXP_SET_NUMBER(Suffix, T, member)                                                  \
    void JSONAttributeContainer::setValue##Suffix(const AttributeKey& key, T value) {         \
        Record& record = recordFor<T>(key);                                                    \
        record.value.member = value;                                                           \
        record.hasValue = true;                                                                \
    }
IMPEXP_SET_NUMBER(UInt32, ViSession, integer)
IMPEXP_SET_NUMBER(Real64, ViReal64, real)
IMPEXP_SET_NUMBER(Int64, ViInt64, integer)
IMPEXP_SET_NUMBER(Int32, ViInt32, integer)
IMPEXP_SET_NUMBER(Boolean, ViBoolean, integer)
IMPEXP_SET_NUMBER(Addr, ViAddr, address)
#undef IMPEXP_SET_NUMBER

}  // namespace impexp
