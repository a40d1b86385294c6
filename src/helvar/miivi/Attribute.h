#pragma once
// An attribute that this library adds to a driver session: it exists in the engine exactly as
// long as the object does.
#include "helvar/miivi/IviWrapperInterface.h"

namespace miivi {

template <class T>
class AttributeBase {
public:
    AttributeBase() = default;
    AttributeBase(const AttributeBase&) = delete;
    AttributeBase& operator=(const AttributeBase&) = delete;
    virtual ~AttributeBase() = default;
    virtual void setValue(T value) = 0;
    virtual T getValue() = 0;
};

// The engine calls for one value type.
template <class T, class ReadCallback, class WriteCallback>
struct AttributeEngineCalls;

template <>
struct AttributeEngineCalls<ViAddr, ReadAttrViAddr_CallbackPtr, WriteAttrViAddr_CallbackPtr> {
    static void add(IviWrapperInterface& wrapper, ViAttr id, const char* name, IviAttrFlags flags) {
        wrapper.Ivi_AddAttributeViAddr(id, name, nullptr, flags, nullptr, nullptr);
    }
    static void set(IviWrapperInterface& wrapper, ViAttr id, ViInt32 optionFlags, ViAddr value) {
        wrapper.Ivi_SetAttributeViAddr(nullptr, id, optionFlags, value);
    }
    static ViAddr get(IviWrapperInterface& wrapper, ViAttr id) {
        ViAddr value = nullptr;
        wrapper.Ivi_GetAttributeViAddr(nullptr, id, 0, &value);
        return value;
    }
};

template <class T, class ReadCallback, class WriteCallback>
class Attribute : public AttributeBase<T> {
    using Calls = AttributeEngineCalls<T, ReadCallback, WriteCallback>;

public:
    // Engine attribute flags of a session object's attribute (the engine's bits 8 and 16).
    static constexpr IviAttrFlags kFlags = 24;
    // Option flags of the set that stores the value.
    static constexpr ViInt32 kSetOptionFlags = 4;

    // Adds the attribute to the session; raises (and leaves nothing behind) when refused.
    Attribute(ViAttr id, const char* name, IviWrapperInterface& wrapper) : id_(id), wrapper_(wrapper) {
        Calls::add(wrapper_, id_, name, kFlags);
    }
    // Deletes the attribute from the session; a refusal is dropped.
    ~Attribute() override {
        try {
            wrapper_.Ivi_DeleteAttribute(id_);
        } catch (...) {
        }
    }

    void setValue(T value) override { Calls::set(wrapper_, id_, kSetOptionFlags, value); }
    T getValue() override { return Calls::get(wrapper_, id_); }

private:
    ViAttr id_;
    IviWrapperInterface& wrapper_;
};

}  // namespace miivi
