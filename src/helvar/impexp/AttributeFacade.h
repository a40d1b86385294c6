#pragma once
// Engine-side facade of one attribute value of a session (id and channel).
#include <cstring>

#include "helvar/impexp/EngineValueAccess.h"
#include "helvar/impexp/IviAttributeBaseInterface.h"

namespace impexp {

// Room the engine gets for an attribute name (at most 255 characters and the NUL).
inline constexpr ViInt32 kAttributeNameBufferSize = 256;

template <class T>
class AttributeFacade : public IviAttributeInterface<T> {
public:
    AttributeFacade(miivi::IviWrapperInterface& wrapper, GetAttributeHelperInterface& helper, AttributeKey key)
        : wrapper_(wrapper), helper_(helper), id_(key.id), channel_(std::move(key.channel)) {
        checkEngineValue(wrapper_, id_, channel_);
    }

    AttributeKey getKey() const override { return AttributeKey(id_, channel_); }

    std::string getName() const override {
        char name[kAttributeNameBufferSize];
        std::memset(name, 0, sizeof name);
        wrapper_.Ivi_GetAttributeName(id_, kAttributeNameBufferSize, name);
        name[kAttributeNameBufferSize - 1] = '\0';
        return std::string(name);
    }

    AttributeType getType() const override { return queryEngineType(wrapper_, id_); }

    bool wasSetByUser() const override { return wrapper_.Ivi_AttributeWasSetByUser(channel_.c_str(), id_) == 1; }

    T getValue() const override {
        T value{};
        readDesiredValue(helper_, wrapper_, channel_.c_str(), id_, value);
        return value;
    }

    void setValue(const T& value) override { setEngineValue(wrapper_, channel_.c_str(), id_, value); }

private:
    miivi::IviWrapperInterface& wrapper_;
    GetAttributeHelperInterface& helper_;
    ViAttr id_;
    std::string channel_;
};

}  // namespace impexp
