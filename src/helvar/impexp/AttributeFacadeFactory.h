#pragma once
// The factory of facades over a session's attributes in the IVI engine.
#include "helvar/impexp/AttributeFacadeFactoryInterface.h"
#include "helvar/impexp/GetDesiredAttributeHelperInterface.h"
#include "helvar/miivi/IviWrapperInterface.h"

namespace impexp {

// Engine side: facades over the attributes of one session.
class AttributeFacadeFactory : public AttributeFacadeFactoryInterface {
public:
    AttributeFacadeFactory(miivi::IviWrapperInterface& wrapper, GetAttributeHelperInterface& helper)
        : wrapper_(wrapper), helper_(helper) {}

    // An empty pointer, without error, for a type that is not transferred.
    AttributePtr create(const AttributeKey& key, AttributeType type, const std::string& name) override;
    AttributePtr createForKey(const AttributeKey& key) override;
    // The engine knows its names: the source's is not read.
    void useFacadeFor(const IviAttributeBaseInterface& source, AttributeType type,
                      AttributeFacadeUserInterface& user) override;

private:
    miivi::IviWrapperInterface& wrapper_;
    GetAttributeHelperInterface& helper_;
};

}  // namespace impexp
