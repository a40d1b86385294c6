#include "quorrel/sysapicpp/PropertyTable.h"

#include <algorithm>

namespace sysapicpp {
namespace {

// What a bag of the expert holds; one allocation serves it.
constexpr std::size_t kUsualTags = 32;

}  // namespace

std::vector<PropertyTable::Entry>::iterator PropertyTable::at(uint32_t tag) {
    return std::lower_bound(entries_.begin(), entries_.end(), tag,
                            [](const Entry& entry, uint32_t wanted) { return entry.tag < wanted; });
}

std::vector<PropertyTable::Entry>::const_iterator PropertyTable::at(uint32_t tag) const {
    return std::lower_bound(entries_.begin(), entries_.end(), tag,
                            [](const Entry& entry, uint32_t wanted) { return entry.tag < wanted; });
}

const CsvPropertyValue* PropertyTable::find(uint32_t tag) const {
    const auto found = at(tag);
    return found != entries_.end() && found->tag == tag ? &found->value : nullptr;
}

CsvPropertyValue* PropertyTable::find(uint32_t tag) {
    const auto found = at(tag);
    return found != entries_.end() && found->tag == tag ? &found->value : nullptr;
}

void PropertyTable::put(uint32_t tag, CsvPropertyValue value) {
    auto found = at(tag);
    if (found != entries_.end() && found->tag == tag) {
        found->value = std::move(value);
    } else {
        if (entries_.capacity() == 0) {
            const std::size_t index = static_cast<std::size_t>(found - entries_.begin());
            entries_.reserve(kUsualTags);
            found = entries_.begin() + static_cast<std::ptrdiff_t>(index);
        }
        found = entries_.insert(found, Entry{tag, false, std::move(value)});
    }
    if (!found->modified) {
        found->modified = true;
        ++modified_;
    }
}

bool PropertyTable::markModified(uint32_t tag) {
    const auto found = at(tag);
    if (found == entries_.end() || found->tag != tag) return false;
    if (!found->modified) {
        found->modified = true;
        ++modified_;
    }
    return true;
}

bool PropertyTable::clearModified(uint32_t tag) {
    const auto found = at(tag);
    if (found == entries_.end() || found->tag != tag || !found->modified) return false;
    found->modified = false;
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
    const auto found = at(tag);
    if (found == entries_.end() || found->tag != tag) return false;
    if (found->modified) --modified_;
    entries_.erase(found);
    return true;
}

void PropertyTable::clear() {
    entries_.clear();
    modified_ = 0;
}

PropertyTable PropertyTable::copyValues() const {
    PropertyTable copy;
    copy.entries_.reserve(std::max(entries_.size(), kUsualTags));
    for (const Entry& entry : entries_) copy.entries_.push_back(Entry{entry.tag, false, entry.value});
    return copy;
}

}  // namespace sysapicpp
