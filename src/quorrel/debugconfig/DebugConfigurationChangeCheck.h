#pragma once
// Compares the debug settings the cached bags show with the file and announces the devices
// whose settings differ.
#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/StorageLocatorInterface.h"
#include "quorrel/sysapicpp/NotificationHandler.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"

namespace nORVMISysAPICommon100 {

class DebugConfigurationChangeCheck final {
public:
    DebugConfigurationChangeCheck(const StorageLocatorInterface& locator, const DebugDeviceEntryFactory& entries,
                                  sysapicpp::PropertyBagCache& cache,
                                  sysapicpp::NotificationHandler& notifications,
                                  platform::LockedFileSystemInterface& system = platform::lockedFileSystem())
        : locator_(locator), entries_(entries), cache_(cache), notifications_(notifications), system_(system) {}

    // Returns the IDs announced as changed. Failures are thrown.
    sysapicpp::IdList run();

private:
    const StorageLocatorInterface& locator_;
    const DebugDeviceEntryFactory& entries_;
    sysapicpp::PropertyBagCache& cache_;
    sysapicpp::NotificationHandler& notifications_;
    platform::LockedFileSystemInterface& system_;
};

}  // namespace nORVMISysAPICommon100
