#pragma once
// One-call operations on the debug configuration file: each opens, locks, works and closes.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/platform/LockedFile.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/StorageLocatorInterface.h"

namespace nORVMISysAPICommon100 {

// A device's settings as stored; the configuration number is empty when it does not read as a number.
struct DebugDeviceSettings {
    std::optional<int32_t> debugSessionConfiguration;
    bool serverIsOutOfProcess = false;
};

// Faults found in the file that did not stop the operation, each in words naming the file (and
// the device): for the caller to report.
using DebugSettingsFaults = std::vector<std::string>;

// What a bag shows for an entry: its values, or the defaults when it cannot be used.
DebugDeviceSettings shownSettings(const DebugDeviceEntry& entry);

// The store's users in one call each: the file is opened, locked, worked on and closed.
class DebugSettingsStore final {
public:
    DebugSettingsStore(const StorageLocatorInterface& locator, const DebugDeviceEntryFactory& factory,
                       platform::LockedFileSystemInterface& system = platform::lockedFileSystem());

    // The settings shown for key, or nothing when the file has no entry for it (nothing is
    // written). An entry that cannot be used reads as the defaults, its fault added to faults.
    std::optional<DebugDeviceSettings> read(const std::string& key, DebugSettingsFaults* faults = nullptr);
    // Entries for keys that have none, with the defaults (1, false); existing ones stay. Returns
    // the settings shown for every key, in order. Faults of the content do not fail the call:
    // an entry that cannot be used, a whole file that cannot be (nothing is written then) and
    // new entries that cannot be stored give the defaults, the fault added to faults.
    std::vector<DebugDeviceSettings> ensure(const std::vector<std::string>& keys,
                                            DebugSettingsFaults* faults = nullptr);
    // The commit of the host: key's entry is rewritten with both values (created when missing,
    // replaced whole when it could not be used). A file whose content cannot be used, or that may
    // only be read, refuses it with the reason. Returns whether the file was written.
    bool commit(const std::string& key, const DebugDeviceEntryValues& values);

private:
    const StorageLocatorInterface& locator_;
    const DebugDeviceEntryFactory& factory_;
    platform::LockedFileSystemInterface& system_;
};

}  // namespace nORVMISysAPICommon100
