#pragma once
// Ordered records of a document: the order of insertion is the order of rendering and applying.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "helvar/impexp/AttributeKey.h"
#include "helvar/impexp/AttributeTypes.h"

namespace impexp {

// One record as the container holds it. The views stay valid while the container lives; each
// text is followed by a NUL.
struct JSONAttributeEntry {
    ViAttr id = 0;
    AttributeType type = kTypeUnknown;
    std::string_view name;
    std::string_view channel;
    bool hasValue = false;
    // The value by type: integer for ViInt32, ViInt64, ViSession and ViBoolean, real for
    // ViReal64, text for ViString, address for ViAddr.
    int64_t integer = 0;
    double real = 0.0;
    std::string_view text;
    ViAddr address = nullptr;
};

class JSONAttributeContainerInterface {
public:
    virtual ~JSONAttributeContainerInterface() = default;
    // Lookups act on the first record with the key.
    virtual AttributeType getType(const AttributeKey& key) const = 0;
    virtual std::string getName(const AttributeKey& key) const = 0;
    virtual bool contains(const AttributeKey& key) const = 0;
    virtual std::size_t size() const = 0;
    virtual AttributeKey keyAt(std::size_t index) const = 0;
    // Appends a record without value; nothing for a type outside the transferable ones.
    virtual void add(const AttributeKey& key, AttributeType type, std::string_view name) = 0;
    // Room for count records in all; changes nothing that can be observed.
    virtual void reserve(std::size_t count) = 0;

    virtual std::string getValueString(const AttributeKey& key) const = 0;
    virtual ViSession getValueUInt32(const AttributeKey& key) const = 0;
    virtual ViReal64 getValueReal64(const AttributeKey& key) const = 0;
    virtual ViInt64 getValueInt64(const AttributeKey& key) const = 0;
    virtual ViInt32 getValueInt32(const AttributeKey& key) const = 0;
    virtual ViBoolean getValueBoolean(const AttributeKey& key) const = 0;
    virtual ViAddr getValueAddr(const AttributeKey& key) const = 0;

    virtual void setValueString(const AttributeKey& key, std::string_view value) = 0;
    virtual void setValueUInt32(const AttributeKey& key, ViSession value) = 0;
    virtual void setValueReal64(const AttributeKey& key, ViReal64 value) = 0;
    virtual void setValueInt64(const AttributeKey& key, ViInt64 value) = 0;
    virtual void setValueInt32(const AttributeKey& key, ViInt32 value) = 0;
    virtual void setValueBoolean(const AttributeKey& key, ViBoolean value) = 0;
    virtual void setValueAddr(const AttributeKey& key, ViAddr value) = 0;

    // The first record with the key of the record at index: what the lookups by that key answer.
    virtual JSONAttributeEntry firstEntryAt(std::size_t index) const = 0;
};

// The typed getter and setter of the container for one value type.
template <class T>
struct ContainerAccess;

#define IMPEXP_CONTAINER_ACCESS(T, Suffix)                                                              \
    template <>                                                                                        \
    struct ContainerAccess<T> {                                                                        \
        static T get(const JSONAttributeContainerInterface& c, const AttributeKey& k) { return c.getValue##Suffix(k); } \
        static void set(JSONAttributeContainerInterface& c, const AttributeKey& k, const T& v) { c.setValue##Suffix(k, v); } \
    };
IMPEXP_CONTAINER_ACCESS(std::string, String)
IMPEXP_CONTAINER_ACCESS(ViSession, UInt32)
IMPEXP_CONTAINER_ACCESS(ViReal64, Real64)
IMPEXP_CONTAINER_ACCESS(ViInt64, Int64)
IMPEXP_CONTAINER_ACCESS(ViInt32, Int32)
IMPEXP_CONTAINER_ACCESS(ViBoolean, Boolean)
IMPEXP_CONTAINER_ACCESS(ViAddr, Addr)
#undef IMPEXP_CONTAINER_ACCESS

}  // namespace impexp
