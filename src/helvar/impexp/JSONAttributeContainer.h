#pragma once
#include <string>
#include <unordered_map>
#include <vector>

#include <boost/noncopyable.hpp>
#include <boost/ptr_container/ptr_vector.hpp>

#include "helvar/impexp/IdChainHeads.h"
#include "helvar/impexp/JSONAttribute.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"

namespace impexp {

// Owns its records. An index from key to the first record with that key keeps every lookup
// constant-time, so export and import stay linear in the number of attributes; the record found
// last is tried first, since callers ask several questions about one key in a row.
class JSONAttributeContainer : public JSONAttributeContainerInterface, private boost::noncopyable {
public:
    AttributeType getType(const AttributeKey& key) const override;
    std::string getName(const AttributeKey& key) const override;
    bool contains(const AttributeKey& key) const override;
    std::size_t size() const override;
    AttributeKey keyAt(std::size_t index) const override;
    void add(const AttributeKey& key, AttributeType type, std::string name) override;
    void reserve(std::size_t count) override;

    std::string getValueString(const AttributeKey& key) const override;
    ViSession getValueUInt32(const AttributeKey& key) const override;
    ViReal64 getValueReal64(const AttributeKey& key) const override;
    ViInt64 getValueInt64(const AttributeKey& key) const override;
    ViInt32 getValueInt32(const AttributeKey& key) const override;
    ViBoolean getValueBoolean(const AttributeKey& key) const override;
    ViAddr getValueAddr(const AttributeKey& key) const override;

    void setValueString(const AttributeKey& key, const std::string& value) override;
    void setValueUInt32(const AttributeKey& key, ViSession value) override;
    void setValueReal64(const AttributeKey& key, ViReal64 value) override;
    void setValueInt64(const AttributeKey& key, ViInt64 value) override;
    void setValueInt32(const AttributeKey& key, ViInt32 value) override;
    void setValueBoolean(const AttributeKey& key, ViBoolean value) override;
    void setValueAddr(const AttributeKey& key, ViAddr value) override;

    const JSONAttributeRecord& firstRecordAt(std::size_t index) const override;

    // Appends a record as it is; a null record is refused by the pointer vector.
    void append(JSONAttributeRecord* record);

private:
    const JSONAttributeRecord& find(const AttributeKey& key) const;
    JSONAttributeRecord& find(const AttributeKey& key);
    template <class T>
    T getValue(const AttributeKey& key) const;
    template <class T>
    void setValue(const AttributeKey& key, const T& value);

    static constexpr std::size_t kNone = IdChainHeads::kNone;

    // Position of the first record with the key, or kNone.
    std::size_t firstIndexOf(const AttributeKey& key) const;
    // Moves an id whose chain grew long to a channel map.
    void indexLongChain(const AttributeKey& key, std::size_t index);

    boost::ptr_vector<JSONAttributeRecord> records_;
    // The first records of all keys with one id are chained from the id, so a lookup hashes a
    // number and compares at most the few channels of that id.
    IdChainHeads chainOfId_;
    std::vector<std::size_t> nextWithSameId_;
    // For each record, the position of the first record with its key.
    std::vector<std::size_t> firstOf_;
    // Ids with more channels than a short chain should hold (an untrusted document may repeat
    // one id under any number of channel names): their first records by channel, so adding
    // and finding stay constant-time instead of walking the chain.
    std::unordered_map<ViAttr, std::unordered_map<std::string, std::size_t>> longChains_;
    // Position of a first record that a lookup returned last; never names a later duplicate.
    mutable std::size_t lastFound_ = 0;
};

}  // namespace impexp
