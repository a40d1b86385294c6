#pragma once
// The properties of one bag: values by tag in ascending order, each with its modified mark, in one
// sorted vector. A bag holds a few dozen tags, so a binary search and an occasional insertion move
// cost less than a tree node per value and per modified tag.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "quorrel/sysapicpp/CsvPropertyValue.h"

namespace sysapicpp {

class PropertyTable {
public:
    const CsvPropertyValue* find(uint32_t tag) const;
    CsvPropertyValue* find(uint32_t tag);
    // Stores value under tag (a new tag or any old value) and marks the tag modified.
    void put(uint32_t tag, CsvPropertyValue value);
    // Marks an existing tag modified; false when the tag has no value.
    bool markModified(uint32_t tag);
    // Drops the modified mark of tag; whether it had one.
    bool clearModified(uint32_t tag);
    // Drops every modified mark; whether there was any.
    bool clearAllModified();
    bool remove(uint32_t tag);
    void clear();

    bool empty() const { return entries_.empty(); }
    std::size_t modifiedCount() const { return modified_; }
    // The tags, ascending; the modified ones, ascending.
    template <class Visit>
    void forEachTag(Visit visit) const {
        for (const Entry& entry : entries_) visit(entry.tag);
    }
    template <class Visit>
    void forEachModifiedTag(Visit visit) const {
        for (const Entry& entry : entries_)
            if (entry.modified) visit(entry.tag);
    }
    // The values without modified marks.
    PropertyTable copyValues() const;

private:
    struct Entry {
        uint32_t tag;
        bool modified;
        CsvPropertyValue value;
    };
    std::vector<Entry>::iterator at(uint32_t tag);
    std::vector<Entry>::const_iterator at(uint32_t tag) const;

    std::vector<Entry> entries_;
    std::size_t modified_ = 0;
};

}  // namespace sysapicpp
