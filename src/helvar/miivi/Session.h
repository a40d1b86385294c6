#pragma once
// A session object registered in the driver session under the attribute that Definition names
// (Definition::kAttributeId, Definition::kAttributeName). While the object exists the attribute
// holds its address; destroying the object deletes the attribute.
#include <memory>

#include "helvar/miivi/Attribute.h"
#include "helvar/miivi/SessionBase.h"

namespace miivi {

template <class Definition>
class Session : public SessionBase {
public:
    using RegistryAttribute = Attribute<ViAddr, ReadAttrViAddr_CallbackPtr, WriteAttrViAddr_CallbackPtr>;

    // The object registered for the handle of wrapper; raises kSessionNotRegistered.
    static SessionBase* lookup(IviWrapperInterface& wrapper) {
        return SessionBase::lookup(wrapper, Definition::kAttributeId, Definition::kAttributeName);
    }
    static bool isRegistered(IviWrapperInterface& wrapper) {
        return SessionBase::isRegistered(wrapper, Definition::kAttributeId, Definition::kAttributeName);
    }

protected:
    Session(std::unique_ptr<IviWrapperInterface> wrapper, int32_t language)
        : SessionBase(std::move(wrapper), language),
          attribute_(std::make_unique<RegistryAttribute>(Definition::kAttributeId, Definition::kAttributeName,
                                                         this->wrapper())) {
        // A failure here destroys attribute_, which deletes the attribute just added.
        attribute_->setValue(static_cast<SessionBase*>(this));
    }

private:
    std::unique_ptr<RegistryAttribute> attribute_;
};

}  // namespace miivi
