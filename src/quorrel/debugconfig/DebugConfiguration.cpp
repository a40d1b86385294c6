#include "quorrel/debugconfig/DebugConfiguration.h"

#include <cjson/cJSON.h>

#include <boost/numeric/conversion/cast.hpp>

#include "common/orverr/Exception.h"
#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/CJsonHelpers.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;

namespace {

void checkVersion(const cJSON& root) {
    const uint32_t version = cjson::toUInt32(cjson::requireNumber(root, names::kVersionKey));
    if (version == names::kFormatVersion) return;
    const orverr::ErrorCode error = version > names::kFormatVersion ? orverr::codes::kFileTooNewForSoftware
                                                                    : orverr::codes::kSoftwareTooNewForFile;
    ORVERR_THROW(error)
        .usageUInt32(names::kUsageTypeFileVersion, version)
        .usageUInt32(names::kUsageTypeSupportedVersion, names::kFormatVersion)
        .usageUInt32(names::kUsageTypeOldestCompatibleVersion, names::kOldestCompatibleVersion)
        .raise();
}

std::shared_ptr<cJSON> emptyDocument() {
    std::shared_ptr<cJSON> root = cjson::own(cjson::checked(cJSON_CreateObject()));
    cjson::setMember(*root, names::kVersionKey, cjson::checked(cJSON_CreateNumber(names::kFormatVersion)));
    cjson::setMember(*root, names::kDevicesKey, cjson::checked(cJSON_CreateObject()));
    return root;
}

}  // namespace

DebugConfiguration::FileLock::FileLock(ConfigContainerInterface& container) : container_(container) {
    container_.lock();
}

DebugConfiguration::FileLock::~FileLock() {
    try {
        container_.unlock();
    } catch (...) {
        // Closing the file releases the lock as well.
    }
}

DebugConfiguration::DebugConfiguration(ConfigContainerInterface& container,
                                       const DebugDeviceEntryFactory& factory, ContentFaults faults)
    : container_(container), factory_(factory), lock_(container) {
    load(faults);
}

void DebugConfiguration::load(ContentFaults faults) {
    text_ = container_.read();
    try {
        if (text_.empty()) {
            root_ = emptyDocument();
        } else {
            root_ = cjson::parse(text_);
            checkVersion(*root_);
        }
        devices_.build(devices());
    } catch (const orverr::Exception&) {
        if (faults == ContentFaults::kThrow) throw;
        setAside();
    } catch (const boost::numeric::bad_numeric_cast&) {
        if (faults == ContentFaults::kThrow) throw;
        setAside();
    }
}

void DebugConfiguration::setAside() {
    contentFault_ = std::current_exception();
    root_ = emptyDocument();
    devices_.build(devices());
}

cJSON& DebugConfiguration::devices() const { return cjson::requireObject(*root_, names::kDevicesKey); }

std::shared_ptr<DebugDeviceEntry> DebugConfiguration::entryOf(const std::string& key, cJSON* matched) {
    auto found = entries_.find(key);
    if (found != entries_.end()) return found->second;
    cJSON* exact = devices_.findExact(key.c_str());
    auto entry = factory_.createEntry(key.c_str(), std::shared_ptr<cJSON>(root_, exact != nullptr ? exact : matched));
    entries_.emplace(key, entry);
    return entry;
}

std::shared_ptr<DebugDeviceEntry> DebugConfiguration::getEntry(const std::string& key) {
    cJSON* node = devices_.find(key.c_str());
    if (node == nullptr) ORVERR_THROW(orverr::codes::kEntryNotFound).usage(names::kUsageTypeToken, key).raise();
    return entryOf(key, node);
}

std::shared_ptr<DebugDeviceEntry> DebugConfiguration::getOrCreateEntry(const std::string& key,
                                                                       const DebugDeviceEntryValues& values,
                                                                       bool overwrite) {
    cJSON* node = devices_.find(key.c_str());
    const bool created = node == nullptr;
    if (created) {
        node = &cjson::addMember(devices(), key.c_str(), cjson::checked(factory_.createDefaultNode()));
        devices_.add(node);
    }
    auto entry = entryOf(key, node);
    if (created || overwrite) {
        entry->setDebugSessionConfiguration(values.debugSessionConfiguration);
        entry->setServerIsOutOfProcess(values.serverIsOutOfProcess);
    }
    return entry;
}

bool DebugConfiguration::save() {
    // Nothing is written over a file this software cannot read: the hand edit can still be
    // repaired, and a newer version's file is never downgraded.
    if (contentFault_) std::rethrow_exception(contentFault_);
    std::string printed = cjson::print(*root_);
    if (printed == text_) return false;
    container_.write(printed);
    text_ = std::move(printed);
    return true;
}

}  // namespace nORVMISysAPICommon100
