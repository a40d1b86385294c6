#include "quorrel/expertbase/MISysAPIExpertBase.h"

#include "explorer/PropertyTags.h"
#include "quorrel/debugconfig/DebugSettingsRules.h"
#include "quorrel/debugconfig/DeviceKey.h"
#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/DeviceRules.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

namespace {

// The host may set only the debug session configurations the store accepts.
void checkDebugSessionConfiguration(uint32_t value) {
    if (!debugconfig::isAcceptedDebugSessionConfiguration(value)) SYSAPICPP_THROW(ValidationValueException);
}

}  // namespace

MISysAPIExpertBase::MISysAPIExpertBase(sysapicpp::NotificationHandler& sync)
    : sync_(sync),
      debugSettings_(locator_, entryFactory_),
      factory_(debugSettings_),
      cache_(factory_),
      asyncNotifications_(sync_, taskQueue_),
      configurationNotifier_(locator_, std::make_unique<DebugConfigurationChangeCheck>(locator_, entryFactory_, cache_,
                                                                                        asyncNotifications_)),
      storageNotifications_(factory_, cache_, asyncNotifications_),
      queueToStop_(&taskQueue_) {
    configurationNotifier_.start();
}

MISysAPIExpertBase::~MISysAPIExpertBase() {
    // Queued notifications are delivered and the workers end before anything they use goes.
    queueToStop_->shutdown();
}

void MISysAPIExpertBase::getDeviceIDs(std::vector<std::string>& out) {
    cache_.refresh();
    cache_.listIDs(out);
}

void MISysAPIExpertBase::getAllPropertyBags(std::vector<sysapicpp::PropertyBagHandle>& out) {
    cache_.refresh();
    cache_.listBags(out);
}

void MISysAPIExpertBase::getPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& id) {
    cache_.refresh();
    out = cache_.getBag(orv::dsc::canonicalGuidText(id));
}

void MISysAPIExpertBase::refreshPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& hostId,
                                            const sysapicpp::TagList&, bool) {
    // One device, one bag and one settings entry, however the host spells its ID.
    const std::string id = orv::dsc::canonicalGuidText(hostId);
    cache_.markChanged(id);
    cache_.refresh();
    out = cache_.getBag(id);
    changeNotifications()->notify(sysapicpp::kDevicesChanged, id);
}

void MISysAPIExpertBase::refresh() {}

void MISysAPIExpertBase::validateProperties(const std::string&, const sysapicpp::PropertyBagHandle& bag,
                                            std::set<uint32_t>& accepted, std::string&) {
    for (uint32_t tag : bag.modifiedTags()) {
        switch (tag) {
            case kSvSysTagExpertDebugEnabled:
                SYSAPICPP_THROW(PropMismatchException);
            case kSvSysTagDebugSessionConfiguration:
                checkDebugSessionConfiguration(bag.getU32(tag));
                accepted.insert(tag);
                break;
            case kSvSysTagServerIsOutOfProcess:
                accepted.insert(tag);
                break;
            default:
                break;
        }
    }
}

void MISysAPIExpertBase::commitProperties(const std::string&, const sysapicpp::PropertyBagHandle& bag, uint32_t&,
                                          std::string&) {
    DebugDeviceEntryValues values;
    values.debugEnabled = bag.getBool(kSvSysTagExpertDebugEnabled);
    // A host may commit without validating first; what is stored obeys the same rule.
    const uint32_t configuration = bag.getU32(kSvSysTagDebugSessionConfiguration);
    checkDebugSessionConfiguration(configuration);
    values.debugSessionConfiguration = static_cast<int32_t>(configuration);
    values.serverIsOutOfProcess = bag.getBool(kSvSysTagServerIsOutOfProcess);
    debugSettings_.commit(deviceKeyOf(bag), values);
}

}  // namespace nORVMISysAPICommon100
