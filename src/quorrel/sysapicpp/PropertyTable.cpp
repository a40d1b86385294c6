#include "quorrel/sysapicpp/PropertyTable.h"

#include <algorithm>
#include <new>
#include <utility>

namespace sysapicpp {
namespace {

// What a bag of the expert holds; one allocation serves it.
constexpr std::size_t kUsualTags = 32;

}  // namespace

PropertyTable::PropertyTable(PropertyTable&& other) noexcept
    : entries_(std::move(other.entries_)), modified_(std::exchange(other.modified_, 0)) {
    other.entries_.clear();
}

PropertyTable& PropertyTable::operator=(PropertyTable&& other) noexcept {
    if (this != &other) {
        clear();
        entries_.swap(other.entries_);
        modified_ = std::exchange(other.modified_, 0);
    }
    return *this;
}

PropertyTable::~PropertyTable() { clear(); }

void PropertyTable::release(Entry& entry) noexcept {
    if (entry.typeCode == CsvStringValue::kTypeCode) SysFreeString(entry.payload.text);
}

std::size_t PropertyTable::positionOf(uint32_t tag) const {
    // Bags are mostly written in ascending tags: a new last tag needs no search.
    if (entries_.empty() || entries_.back().tag < tag) return entries_.size();
    return static_cast<std::size_t>(
        std::lower_bound(entries_.begin(), entries_.end(), tag,
                         [](const Entry& entry, uint32_t wanted) { return entry.tag < wanted; }) -
        entries_.begin());
}

const PropertyTable::Entry* PropertyTable::find(uint32_t tag) const {
    const std::size_t position = positionOf(tag);
    return position < entries_.size() && entries_[position].tag == tag ? &entries_[position] : nullptr;
}

PropertyTable::Entry* PropertyTable::find(uint32_t tag) {
    return const_cast<Entry*>(static_cast<const PropertyTable&>(*this).find(tag));
}

uint32_t PropertyTable::typeOf(uint32_t tag) const {
    const Entry* entry = find(tag);
    return entry != nullptr ? entry->typeCode : 0;
}

bool PropertyTable::put(const Entry& entry) {
    const std::size_t position = positionOf(entry.tag);
    if (position < entries_.size() && entries_[position].tag == entry.tag) {
        Entry& old = entries_[position];
        if (old.typeCode != entry.typeCode) {
            Entry refused = entry;
            release(refused);
            return false;
        }
        if (!old.modified) ++modified_;
        release(old);
        old = entry;
        return true;
    }
    try {
        if (entries_.capacity() == 0) entries_.reserve(kUsualTags);
        entries_.insert(entries_.begin() + static_cast<std::ptrdiff_t>(position), entry);
    } catch (...) {
        Entry lost = entry;
        release(lost);
        throw;
    }
    ++modified_;
    return true;
}

bool PropertyTable::markModified(uint32_t tag) {
    Entry* entry = find(tag);
    if (entry == nullptr) return false;
    if (!entry->modified) {
        entry->modified = true;
        ++modified_;
    }
    return true;
}

bool PropertyTable::clearModified(uint32_t tag) {
    Entry* entry = find(tag);
    if (entry == nullptr || !entry->modified) return false;
    entry->modified = false;
    --modified_;
    return true;
}

bool PropertyTable::clearAllModified() {
    const bool had = modified_ != 0;
    for (Entry& entry : entries_) entry.modified = false;
    modified_ = 0;
    return had;
}

bool PropertyTable::remove(uint32_t tag) {
    const std::size_t position = positionOf(tag);
    if (position == entries_.size() || entries_[position].tag != tag) return false;
    Entry& entry = entries_[position];
    if (entry.modified) --modified_;
    release(entry);
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(position));
    return true;
}

void PropertyTable::clear() {
    for (Entry& entry : entries_) release(entry);
    entries_.clear();
    modified_ = 0;
}

PropertyTable PropertyTable::copyValues() const {
    PropertyTable copy;
    copy.entries_.reserve(std::max(entries_.size(), kUsualTags));
    for (const Entry& entry : entries_) {
        Entry copied = entry;
        copied.modified = false;
        if (entry.typeCode == CsvStringValue::kTypeCode) {
            copied.payload.text = SysAllocStringLen(entry.payload.text, SysStringLen(entry.payload.text));
            if (copied.payload.text == nullptr) throw std::bad_alloc();
        }
        copy.entries_.push_back(copied);  // reserved: cannot throw
    }
    return copy;
}

}  // namespace sysapicpp
