#pragma once
// The debug settings store: read, ensure and commit the settings of devices.
#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactoryInterface.h"
#include "quorrel/debugconfig/DebugSettingsStoreInterface.h"
#include "quorrel/debugconfig/StorageLocatorInterface.h"

namespace nORVMISysAPICommon100 {

// The store's users in one call each: the file is opened, locked, worked on and closed.
class DebugSettingsStore final : public DebugSettingsStoreInterface {
public:
    DebugSettingsStore(const StorageLocatorInterface& locator, const DebugDeviceEntryFactoryInterface& factory,
                       platform::LockedFileSystemInterface& system = platform::lockedFileSystem());

    std::optional<DebugDeviceSettings> read(const std::string& key, DebugSettingsFaults* faults = nullptr) override;
    std::vector<DebugDeviceSettings> ensure(const std::vector<std::string>& keys,
                                            DebugSettingsFaults* faults = nullptr) override;
    bool commit(const std::string& key, const DebugDeviceEntryValues& values) override;

private:
    const StorageLocatorInterface& locator_;
    const DebugDeviceEntryFactoryInterface& factory_;
    platform::LockedFileSystemInterface& system_;
};

}  // namespace nORVMISysAPICommon100
