#include "quorrel/debugconfig/DebugConfiguration.h"

#include <cjson/cJSON.h>

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
                                       const DebugDeviceEntryFactoryInterface& factory)
    : container_(container), factory_(factory), lock_(container) {
    load();
}

void DebugConfiguration::load() {
    text_ = container_.read();
    if (text_.empty()) {
        root_ = emptyDocument();
        return;
    }
    root_ = cjson::parse(text_);
    checkVersion(*root_);
    for (cJSON* member = devices().child; member != nullptr; member = member->next) {
        entries_.emplace(member->string, factory_.createEntry(member->string, std::shared_ptr<cJSON>(root_, member)));
    }
}

cJSON& DebugConfiguration::devices() const { return cjson::requireObject(*root_, names::kDevicesKey); }

std::shared_ptr<DebugDeviceEntryInterface> DebugConfiguration::index(const std::string& key, cJSON* node) {
    auto found = entries_.find(key);
    if (found != entries_.end()) return found->second;
    auto entry = factory_.createEntry(key.c_str(), std::shared_ptr<cJSON>(root_, node));
    entries_.emplace(key, entry);
    return entry;
}

std::shared_ptr<DebugDeviceEntryInterface> DebugConfiguration::getEntry(const std::string& key) {
    auto found = entries_.find(key);
    if (found != entries_.end()) return found->second;
    // The index knows the file's own spelling; the document is matched without regard to case.
    cJSON* node = cjson::findMember(&devices(), key.c_str());
    if (node == nullptr) ORVERR_THROW(orverr::codes::kEntryNotFound).usage(names::kUsageTypeToken, key).raise();
    return index(key, node);
}

std::shared_ptr<DebugDeviceEntryInterface> DebugConfiguration::getOrCreateEntry(const std::string& key,
                                                                                const DebugDeviceEntryValues& values,
                                                                                bool overwrite) {
    cJSON& all = devices();
    cJSON* node = cjson::findMember(&all, key.c_str());
    const bool created = node == nullptr;
    if (created) {
        cjson::setMember(all, key.c_str(), cjson::checked(factory_.createDefaultNode()));
        node = cjson::findMember(&all, key.c_str());
    }
    auto entry = index(key, node);
    if (created || overwrite) {
        entry->setDebugSessionConfiguration(values.debugSessionConfiguration);
        entry->setServerIsOutOfProcess(values.serverIsOutOfProcess);
    }
    return entry;
}

bool DebugConfiguration::save() {
    std::string printed = cjson::print(*root_);
    if (printed == text_) return false;
    container_.write(printed);
    text_ = std::move(printed);
    return true;
}

}  // namespace nORVMISysAPICommon100
