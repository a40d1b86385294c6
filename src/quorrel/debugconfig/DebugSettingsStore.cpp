#include "quorrel/debugconfig/DebugSettingsStore.h"

#include <boost/numeric/conversion/cast.hpp>

#include "common/orverr/Codes.h"
#include "common/orverr/Exception.h"
#include "common/orverr/StatusText.h"
#include "common/platform/File.h"
#include "quorrel/debugconfig/ConfigContainer.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/DebugConfiguration.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;

namespace {

DebugDeviceSettings defaults() {
    const DebugDeviceEntryValues values;
    return DebugDeviceSettings{values.debugSessionConfiguration, values.serverIsOutOfProcess};
}

// The failure in flight in words.
std::string describeCurrent() {
    try {
        throw;
    } catch (const orverr::ExceptionBase& e) {
        return orverr::describe(e);
    } catch (const boost::numeric::bad_numeric_cast& e) {
        return std::string(names::kVersionKey) + ": " + e.what();  // the only number read on open
    } catch (const std::exception& e) {
        return e.what();
    }
}

std::string describe(const std::exception_ptr& fault) {
    try {
        std::rethrow_exception(fault);
    } catch (...) {
        return describeCurrent();
    }
}

void add(DebugSettingsFaults* faults, std::string text) {
    if (faults != nullptr) faults->push_back(std::move(text));
}

// The settings shown for entry; an unusable one's fault goes to faults.
DebugDeviceSettings shown(const DebugDeviceEntry& entry, const std::string& path,
                          DebugSettingsFaults* faults) {
    const std::string fault = entry.fault();
    if (!fault.empty()) {
        add(faults, path + ": device " + entry.getKey() + ": " + fault +
                        "; the device shows the default debug settings until its entry is repaired or committed");
    }
    return shownSettings(entry);
}

}  // namespace

DebugDeviceSettings shownSettings(const DebugDeviceEntry& entry) {
    if (!entry.fault().empty()) return defaults();
    return DebugDeviceSettings{entry.getDebugSessionConfiguration(), entry.getServerIsOutOfProcess()};
}

DebugSettingsStore::DebugSettingsStore(const StorageLocatorInterface& locator,
                                       const DebugDeviceEntryFactory& factory,
                                       platform::LockedFileSystemInterface& system)
    : locator_(locator), factory_(factory), system_(system) {}

std::optional<DebugDeviceSettings> DebugSettingsStore::read(const std::string& key, DebugSettingsFaults* faults) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_);
    try {
        return shown(*configuration.getEntry(key), platform::nativePath(container.path()), faults);
    } catch (const orverr::Exception& e) {
        if (e.code() == orverr::codes::kEntryNotFound.code) return std::nullopt;
        throw;
    }
}

std::vector<DebugDeviceSettings> DebugSettingsStore::ensure(const std::vector<std::string>& keys,
                                                            DebugSettingsFaults* faults) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_, DebugConfiguration::ContentFaults::kSetAside);
    // Faults name the file as the system writes it.
    const std::string path = platform::nativePath(container.path());
    // A file set aside holds no entries: every device gets the defaults, and nothing is saved.
    if (const std::exception_ptr fault = configuration.contentFault()) {
        add(faults, path + ": the file cannot be used, so every device shows the default debug settings and "
                           "commits are refused until it is repaired: " + describe(fault));
        return std::vector<DebugDeviceSettings>(keys.size(), defaults());
    }
    std::vector<DebugDeviceSettings> settings;
    settings.reserve(keys.size());
    bool created = false;
    for (const std::string& key : keys) {
        created = created || !configuration.hasEntry(key);
        settings.push_back(shown(*configuration.getOrCreateEntry(key, DebugDeviceEntryValues{}, false), path, faults));
    }
    try {
        configuration.save();
    } catch (const orverr::ExceptionBase&) {
        // New devices still show their defaults and the file is as it was; a hand edit merely
        // not rewritten in the usual layout is not worth a word.
        if (created) {
            add(faults, path + ": the entries of new devices could not be stored, they show the default debug "
                               "settings: " + describeCurrent());
        }
    }
    return settings;
}

bool DebugSettingsStore::commit(const std::string& key, const DebugDeviceEntryValues& values) {
    ConfigContainer container(locator_.getFile(), system_);
    DebugConfiguration configuration(container, factory_);
    configuration.getOrCreateEntry(key, values, true);
    return configuration.save();
}

}  // namespace nORVMISysAPICommon100
