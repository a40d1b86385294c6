#pragma once
// The machinery every storage-backed expert shares: storage access, the bag cache, the debug
// settings and the channels that tell the host about changes. A concrete expert adds identity.
#include <memory>

#include "quorrel/debugconfig/DebugDeviceEntryFactory.h"
#include "quorrel/debugconfig/DebugSettingsStore.h"
#include "quorrel/debugconfig/StorageLocator.h"
#include "quorrel/expertbase/PropertyBagFactory.h"
#include "quorrel/sysapicpp/Expert.h"
#include "quorrel/sysapicpp/NotificationHandler.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"

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
    sysapicpp::PropertyBagCacheInterface& cache() { return cache_; }

private:
    // The channel for change notifications: delivered from a worker thread once the
    // notification layer is in place, else not at all (never on the host's calling thread).
    sysapicpp::NotificationHandler* changeNotifications() { return asyncNotifications_; }

    // Construction order matters: later members use earlier ones, and destruction runs in
    // reverse after the worker threads were stopped.
    [[maybe_unused]] sysapicpp::NotificationHandler& sync_;      // 1
    StorageLocator locator_;                                     // 2
    DebugDeviceEntryFactory entryFactory_;
    DebugSettingsStore debugSettings_;
    // 3: task queue with the two worker threads (notification layer)
    PropertyBagFactory factory_;                                 // 4
    sysapicpp::PropertyBagCache cache_;                          // 5
    // 6: asynchronous handler over sync_ and the task queue (notification layer)
    sysapicpp::NotificationHandler* asyncNotifications_ = nullptr;
    // 7: debug configuration change notifier (locator, asynchronous handler, cache), started last
    // 8: storage change handler (factory, cache, asynchronous handler)
    // 9: the task queue again, stopped first at destruction
};

}  // namespace nORVMISysAPICommon100
