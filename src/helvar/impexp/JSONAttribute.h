#pragma once
// One document-side record: key, optional value, engine type code and name.
#include <optional>
#include <string>

#include "helvar/impexp/IviAttributeBaseInterface.h"

namespace impexp {

// What every record has whatever its value type; lets the container read records without
// knowing their type.
class JSONAttributeRecord : public IviAttributeBaseInterface {
public:
    JSONAttributeRecord(AttributeKey key, AttributeType type, std::string name)
        : key_(std::move(key)), type_(type), name_(std::move(name)) {}

    AttributeKey getKey() const override { return key_; }
    std::string getName() const override { return name_; }
    AttributeType getType() const override { return type_; }
    bool wasSetByUser() const override { return true; }

    const AttributeKey& key() const { return key_; }
    const std::string& name() const { return name_; }

private:
    AttributeKey key_;
    AttributeType type_;
    std::string name_;
};

template <class T>
class JSONAttribute : public JSONAttributeRecord {
public:
    using JSONAttributeRecord::JSONAttributeRecord;

    const std::optional<T>& value() const { return value_; }
    void setValue(const T& value) { value_ = value; }

private:
    std::optional<T> value_;
};

}  // namespace impexp
