#pragma once
// The machinery every storage-backed expert shares: storage access, the bag cache, the debug
// settings and the channels that tell the host about changes. A concrete expert adds identity.
#include <memory>

#include "quorrel/debugconfig/DebugConfigurationChangeNotifier.h"
#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/StorageLocator.h"
#include "quorrel/expertbase/PropertyBagFactory.h"
#include "quorrel/expertbase/SVSNotificationHandler.h"
#include "quorrel/sysapicpp/AsyncNotificationHandler.h"
#include "quorrel/sysapicpp/Expert.h"
#include "quorrel/sysapicpp/NotificationHandler.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"
#include "quorrel/sysapicpp/TaskQueues.h"

namespace nORVMISysAPICommon100 {

class MISysAPIExpertBase : public sysapicpp::Expert {
public:
    // sync is the adapter's channel to the host's sink; it outlives the expert.
    explicit MISysAPIExpertBase(sysapicpp::NotificationHandler& sync);
    MISysAPIExpertBase(const MISysAPIExpertBase&) = delete;
    MISysAPIExpertBase& operator=(const MISysAPIExpertBase&) = delete;
    ~MISysAPIExpertBase() override;

    void getDeviceIDs(std::vector<std::string>& out) override;
    void getAllPropertyBags(std::vector<sysapicpp::PropertyBagHandle>& out) override;
    void getPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& id) override;
    void refreshPropertyBag(sysapicpp::PropertyBagHandle& out, const std::string& id, const sysapicpp::TagList& tags,
                            bool flag) override;
    void refresh() override;
    void validateProperties(const std::string& id, const sysapicpp::PropertyBagHandle& bag,
                            std::set<uint32_t>& accepted, std::string& message) override;
    void commitProperties(const std::string& id, const sysapicpp::PropertyBagHandle& bag, uint32_t& result,
                          std::string& message) override;

protected:
    sysapicpp::PropertyBagCache& cache() { return cache_; }

private:
    // Change notifications are delivered from a worker thread, never on the host's calling thread.
    sysapicpp::NotificationHandler* changeNotifications() { return &asyncNotifications_; }

    // Construction order matters: later members use earlier ones, and destruction runs in
    // reverse after the worker threads were stopped.
    sysapicpp::NotificationHandler& sync_;                       // 1
    StorageLocator locator_;                                     // 2
    DebugDeviceEntryFactory entryFactory_;
    DebugSettingsStore debugSettings_;
    sysapicpp::AutoTaskQueue taskQueue_;                         // 3
    PropertyBagFactory factory_;                                 // 4
    sysapicpp::PropertyBagCache cache_;                          // 5
    sysapicpp::AsyncNotificationHandler asyncNotifications_;     // 6
    DebugConfigurationChangeNotifier configurationNotifier_;     // 7, started last
    SVSNotificationHandler storageNotifications_;                // 8
    sysapicpp::AutoTaskQueue* queueToStop_;                      // 9, stopped first
};

}  // namespace nORVMISysAPICommon100
