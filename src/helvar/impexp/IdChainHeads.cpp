#include "helvar/impexp/IdChainHeads.h"

namespace impexp {

std::size_t IdChainHeads::probe(ViAttr id) const {
    const std::size_t mask = entries_.size() - 1;
    // Drivers number their attributes in runs: keeping consecutive ids in neighbouring entries keeps
    // a walk over a document's entries in cache, where a scattering hash would miss on every lookup.
    // The high half is folded in so that ids far apart still spread.
    std::size_t index = static_cast<std::size_t>(id ^ (id >> 16)) & mask;
    while (entries_[index].used && entries_[index].id != id) {
        index = (index + 1) & mask;
    }
    return index;
}

std::size_t IdChainHeads::find(ViAttr id) const {
    if (entries_.empty()) {
        return kNone;
    }
    const Entry& entry = entries_[probe(id)];
    return entry.used ? entry.head : kNone;
}

std::size_t& IdChainHeads::slot(ViAttr id) {
    // At most half full, so probe runs stay short.
    if ((used_ + 1) * 2 > entries_.size()) {
        rehash(entries_.empty() ? 16 : entries_.size() * 2);
    }
    Entry& entry = entries_[probe(id)];
    if (!entry.used) {
        entry.used = true;
        entry.id = id;
        entry.head = kNone;
        ++used_;
    }
    return entry.head;
}

void IdChainHeads::reserve(std::size_t count) {
    std::size_t size = entries_.empty() ? 16 : entries_.size();
    while (count * 2 > size) {
        size *= 2;
    }
    if (size != entries_.size()) {
        rehash(size);
    }
}

void IdChainHeads::rehash(std::size_t size) {
    std::vector<Entry> old(size);
    old.swap(entries_);
    for (const Entry& entry : old) {
        if (entry.used) {
            entries_[probe(entry.id)] = entry;
        }
    }
}

}  // namespace impexp
