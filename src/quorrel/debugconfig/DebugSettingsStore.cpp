#include "quorrel/debugconfig/DebugSettingsStore.h"

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfiguration.h"

namespace nORVMISysAPICommon100 {

namespace {

DebugDeviceSettings settingsOf(const DebugDeviceEntryInterface& entry) {
    return DebugDeviceSettings{entry.getDebugSessionConfiguration(), entry.getServerIsOutOfProcess()};
}

}  // namespace

DebugSettingsStore::DebugSettingsStore(const StorageLocatorInterface& locator,
                                       const DebugDeviceEntryFactoryInterface& factory,
                                       platform::LockedFileSystemInterface& system)
    : locator_(locator), factory_(factory), system_(system) {}

std::optional<DebugDeviceSettings> DebugSettingsStore::read(const std::string& key) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_);
    try {
        return settingsOf(*configuration.getEntry(key));
    } catch (const orverr::Exception& e) {
        if (e.code() == orverr::codes::kEntryNotFound.code) return std::nullopt;
        throw;
    }
}

std::vector<DebugDeviceSettings> DebugSettingsStore::ensure(const std::vector<std::string>& keys) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_);
    std::vector<DebugDeviceSettings> settings;
    settings.reserve(keys.size());
    for (const std::string& key : keys) {
        settings.push_back(settingsOf(*configuration.getOrCreateEntry(key, DebugDeviceEntryValues{}, false)));
    }
    configuration.save();
    return settings;
}

bool DebugSettingsStore::commit(const std::string& key, const DebugDeviceEntryValues& values) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_);
    configuration.getOrCreateEntry(key, values, true);
    return configuration.save();
}

}  // namespace nORVMISysAPICommon100
