#pragma once
// The one attribute abstraction shared by the session side and the document side.
#include <memory>
#include <string>

#include "helvar/impexp/AttributeKey.h"
#include "helvar/impexp/AttributeTypes.h"

namespace impexp {

class IviAttributeBaseInterface {
public:
    virtual ~IviAttributeBaseInterface() = default;
    virtual AttributeKey getKey() const = 0;
    virtual std::string getName() const = 0;
    virtual AttributeType getType() const = 0;
    // Whether the value is to be transferred.
    virtual bool wasSetByUser() const = 0;
};

template <class T>
class IviAttributeInterface : public IviAttributeBaseInterface {
public:
    virtual T getValue() const = 0;
    virtual void setValue(const T& value) = 0;
};

using AttributePtr = std::shared_ptr<IviAttributeBaseInterface>;

}  // namespace impexp
