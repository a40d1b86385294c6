#include "quorrel/debugconfig/DebugConfigurationChangeCheck.h"

#include <memory>

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"
#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfiguration.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/DeviceKey.h"

namespace nORVMISysAPICommon100 {

namespace {

// What a bag shows, read before the file is locked: a host may hold a bag's lock while it
// commits, and the commit waits for the file lock.
struct ShownSettings {
    std::string id;
    std::string key;
    uint32_t debugSessionConfiguration;
    bool serverIsOutOfProcess;
};

std::vector<ShownSettings> snapshot(sysapicpp::PropertyBagCache& cache) {
    sysapicpp::BagList bags;
    cache.listBags(bags);
    std::vector<ShownSettings> shown;
    shown.reserve(bags.size());
    for (const sysapicpp::PropertyBagHandle& bag : bags) {
        shown.push_back(ShownSettings{platform::wideToUtf8(bag.getString(kSvSysTagDeviceID)), deviceKeyOf(bag),
                                      bag.getU32(kSvSysTagDebugSessionConfiguration),
                                      bag.getBool(kSvSysTagServerIsOutOfProcess)});
    }
    return shown;
}

}  // namespace

sysapicpp::IdList DebugConfigurationChangeCheck::run() {
    sysapicpp::IdList changed;
    {
        // A file that is gone has nothing to compare; opening would make it again, in a folder
        // that may be on its way out.
        platform::OsError error;
        if (!system_.openExisting(locator_.getFile(), error) && error.missing) return changed;
    }
    const std::vector<ShownSettings> shown = snapshot(cache_);
    {
        // Never created here: the file may go between the look above and this open.
        std::unique_ptr<ConfigContainer> opened;
        try {
            opened = std::make_unique<ConfigContainer>(locator_.getFile(), system_, false);
        } catch (const orverr::Exception& e) {
            if (e.code() == orverr::codes::kPlatformResourceNotFound.code) return changed;
            throw;
        }
        ConfigContainer& container = *opened;
        DebugConfiguration configuration(container, entries_);
        for (const ShownSettings& device : shown) {
            std::shared_ptr<DebugDeviceEntry> entry;
            try {
                entry = configuration.getEntry(device.key);
            } catch (const orverr::Exception& e) {
                // A device without an entry has nothing to compare; the others still count.
                if (e.code() == orverr::codes::kEntryNotFound.code) continue;
                throw;
            }
            // Compared as a bag shows it: an entry that cannot be used shows the defaults.
            const DebugDeviceSettings stored = shownSettings(*entry);
            if (static_cast<uint32_t>(stored.debugSessionConfiguration.value_or(0)) != device.debugSessionConfiguration ||
                stored.serverIsOutOfProcess != device.serverIsOutOfProcess) {
                changed.push_back(device.id);
            }
        }
    }
    if (!changed.empty()) {
        // Rebuilt before the host hears of it, so that the next check compares with the new
        // values and one edit gives one notification.
        cache_.markChanged(changed);
        try {
            cache_.refresh();
        } catch (...) {
            // The host still hears of it; its next request rebuilds the bags.
            notifications_.notify(sysapicpp::kDevicesChanged, changed);
            throw;
        }
        notifications_.notify(sysapicpp::kDevicesChanged, changed);
    }
    return changed;
}

}  // namespace nORVMISysAPICommon100
