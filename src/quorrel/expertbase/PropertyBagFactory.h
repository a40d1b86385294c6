#pragma once
// Chooses the storage devices the expert shows and builds one bag per shown device.
#include <string>

#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/sysapicpp/PropertyBagFactory.h"
#include "storage/StorageAccess.h"

namespace nORVMISysAPICommon100 {

class PropertyBagFactoryInterface : public sysapicpp::PropertyBagFactory {
public:
    // The selection rule; false (nothing read) when status is already an error.
    virtual bool isDeviceSupported(const tSSRawGUID& id, nORVMDBG100::tStatus2& status) = 0;
};

class PropertyBagFactory final : public PropertyBagFactoryInterface {
public:
    // Opens the storage session; throws its failure as a status exception.
    explicit PropertyBagFactory(DebugSettingsStore& debugSettings);
    PropertyBagFactory(const PropertyBagFactory&) = delete;
    PropertyBagFactory& operator=(const PropertyBagFactory&) = delete;
    ~PropertyBagFactory() override;

    bool listDeviceIDs(sysapicpp::IdList& out) override;
    void createPropertyBags(sysapicpp::BagList& out, const sysapicpp::IdList& ids) override;
    bool isDeviceSupported(const tSSRawGUID& id, nORVMDBG100::tStatus2& status) override;

private:
    void writeDeviceProperties(const sysapicpp::PropertyBagHandle& bag, const std::string& idText,
                               const tSSRawGUID& id);

    DebugSettingsStore& debugSettings_;
    nORVMS100::iStorageSession* session_ = nullptr;
};

}  // namespace nORVMISysAPICommon100
