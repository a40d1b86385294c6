#pragma once
// The factory of facades over the records of a document's container.
#include <string_view>

#include "helvar/impexp/AttributeFacadeFactoryInterface.h"
#include "helvar/impexp/JSONAttributeContainerInterface.h"

namespace impexp {

// Document side: facades over the records of one container, adding the record when missing.
class JSONAttributeFacadeFactory : public AttributeFacadeFactoryInterface {
public:
    explicit JSONAttributeFacadeFactory(JSONAttributeContainerInterface& container) : container_(container) {}

    AttributePtr create(const AttributeKey& key, AttributeType type, const std::string& name) override;
    AttributePtr createForKey(const AttributeKey& key) override;
    void useFacadeFor(const IviAttributeBaseInterface& source, AttributeType type,
                      AttributeFacadeUserInterface& user) override;

private:
    void addIfMissing(const AttributeKey& key, AttributeType type, std::string_view name);

    JSONAttributeContainerInterface& container_;
};

}  // namespace impexp
