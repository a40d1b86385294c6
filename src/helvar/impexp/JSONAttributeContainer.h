#pragma once
// The typed records of one document, in order, with a lookup by key.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <boost/noncopyable.hpp>

#include "helvar/impexp/JSONAttribute.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"
#include "helvar/impexp/TextArena.h"

namespace impexp {

// Holds its records by value, side by side, with their texts in one arena: a record costs no
// allocation of its own. An index from key to the first record with that key keeps every lookup
// constant-time, so export and import stay linear in the number of attributes; the record found
// last is tried first, since callers ask several questions about one key in a row.
class JSONAttributeContainer : public JSONAttributeContainerInterface, private boost::noncopyable {
public:
    // Names and string values are copied into the arena, or, borrowed, referenced where they lie:
    // for a caller whose texts are NUL-terminated and outlive the container (a parsed document's).
    // Channels are always copied.
    enum class Texts { copied, borrowed };
    explicit JSONAttributeContainer(Texts texts = Texts::copied) : borrowTexts_(texts == Texts::borrowed) {}

    AttributeType getType(const AttributeKey& key) const override;
    std::string getName(const AttributeKey& key) const override;
    bool contains(const AttributeKey& key) const override;
    std::size_t size() const override;
    AttributeKey keyAt(std::size_t index) const override;
    void add(const AttributeKey& key, AttributeType type, std::string_view name) override;
    void reserve(std::size_t count) override;

    std::string getValueString(const AttributeKey& key) const override;
    ViSession getValueUInt32(const AttributeKey& key) const override;
    ViReal64 getValueReal64(const AttributeKey& key) const override;
    ViInt64 getValueInt64(const AttributeKey& key) const override;
    ViInt32 getValueInt32(const AttributeKey& key) const override;
    ViBoolean getValueBoolean(const AttributeKey& key) const override;
    ViAddr getValueAddr(const AttributeKey& key) const override;

    void setValueString(const AttributeKey& key, std::string_view value) override;
    void setValueUInt32(const AttributeKey& key, ViSession value) override;
    void setValueReal64(const AttributeKey& key, ViReal64 value) override;
    void setValueInt64(const AttributeKey& key, ViInt64 value) override;
    void setValueInt32(const AttributeKey& key, ViInt32 value) override;
    void setValueBoolean(const AttributeKey& key, ViBoolean value) override;
    void setValueAddr(const AttributeKey& key, ViAddr value) override;

    JSONAttributeEntry firstEntryAt(std::size_t index) const override;

    // Appends a record as it is (key, type, name and any value), and deletes it; a null record is
    // refused with the pointer container's exception.
    void append(JSONAttributeRecord* record);

private:
    struct Record {
        const char* name;
        const char* channel;
        union {
            int64_t integer;  // ViInt32, ViInt64, ViSession, ViBoolean
            double real;
            ViAddr address;
            const char* text;
        } value;
        ViAttr id;
        AttributeType type;
        uint32_t nameLength;
        uint32_t channelLength;
        uint32_t textLength;
        bool hasValue;

        std::string_view nameView() const { return std::string_view(name, nameLength); }
        std::string_view channelView() const { return std::string_view(channel, channelLength); }
    };

    static constexpr uint32_t kEmpty = UINT32_MAX;

    const Record& find(const AttributeKey& key) const;
    Record& find(const AttributeKey& key);
    template <class T>
    T getValue(const AttributeKey& key) const;
    template <class T>
    Record& recordFor(const AttributeKey& key);
    // storedName is already kept as the record keeps it.
    void addRecord(ViAttr id, std::string_view channel, AttributeType type, std::string_view storedName);

    // Position of the first record with the key, or kEmpty.
    uint32_t firstIndexOf(ViAttr id, std::string_view channel) const;
    // The index slot of the key's first record, or the empty slot where it would go.
    std::size_t slotOf(ViAttr id, std::string_view channel) const;
    void rehash(std::size_t size);
    // A name or string value as the record keeps it.
    std::string_view keep(std::string_view text);

    bool borrowTexts_;
    std::vector<Record> records_;
    TextArena texts_;
    // Open addressing over the first record of each key; at most half full.
    std::vector<uint32_t> slots_;
    std::size_t keys_ = 0;
    // Position of a first record that a lookup returned last; never names a later duplicate.
    mutable std::size_t lastFound_ = 0;
};

}  // namespace impexp
