#pragma once
// The properties of one bag: values by tag in ascending order, each with its modified mark, in one
// sorted vector of plain entries. A bag holds a few dozen tags, so a binary search and an occasional
// move of a few entries cost less than a tree node per value and per modified tag.
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "quorrel/sysapicpp/CsvPropertyValue.h"

namespace sysapicpp {

class PropertyTable {
public:
    PropertyTable() = default;
    PropertyTable(const PropertyTable&) = delete;
    PropertyTable& operator=(const PropertyTable&) = delete;
    PropertyTable(PropertyTable&& other) noexcept;
    PropertyTable& operator=(PropertyTable&& other) noexcept;
    ~PropertyTable();

    // The type code stored under tag; 0 when the tag has no value.
    uint32_t typeOf(uint32_t tag) const;
    // The value under tag when it has Value's type, else null.
    template <class Value>
    const typename Value::Type* get(uint32_t tag) const {
        const Entry* entry = find(tag);
        return entry != nullptr && entry->typeCode == Value::kTypeCode ? &Value::of(entry->payload) : nullptr;
    }
    // Stores value under tag, replacing an old value of the same type, and marks the tag
    // modified; false, with nothing changed, when the tag holds a value of another type. A string
    // is a BSTR the table takes over in every case, also when storing fails (std::bad_alloc).
    template <class Value>
    bool put(uint32_t tag, const typename Value::Type& value) {
        Entry entry{tag, Value::kTypeCode, true, {}};
        Value::store(entry.payload, value);
        return put(entry);
    }
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
    // Copies of the values (strings included), without modified marks; throws std::bad_alloc.
    PropertyTable copyValues() const;

private:
    struct Entry {
        uint32_t tag;
        uint32_t typeCode;
        bool modified;
        CsvPropertyPayload payload;
    };
    static_assert(std::is_trivially_copyable<Entry>::value, "entries move as bytes");

    const Entry* find(uint32_t tag) const;
    Entry* find(uint32_t tag);
    std::size_t positionOf(uint32_t tag) const;
    bool put(const Entry& entry);
    static void release(Entry& entry) noexcept;

    std::vector<Entry> entries_;
    std::size_t modified_ = 0;
};

}  // namespace sysapicpp
