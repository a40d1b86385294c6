#pragma once
// The storage observer the expert subscribes with the host: collects the devices added, changed
// and removed in a batch and, when the outermost batch ends, brings the bag cache up to date and
// tells the host. Every slot answers an HRESULT; nothing is thrown at the host.
#include <cstdint>
#include <set>
#include <string>

#include "explorer/SvsStorage.h"
#include "quorrel/comsupport/ComObject.h"
#include "quorrel/expertbase/PropertyBagFactory.h"
#include "quorrel/sysapicpp/NotificationHandler.h"
#include "quorrel/sysapicpp/PropertyBagCache.h"

namespace nORVMISysAPICommon100 {

// What one batch announces to the host, per kind.
struct BatchAnnouncement {
    sysapicpp::IdList added, changed, removed;
};

// The reconcile of one batch, given the IDs seen per kind. The cache is brought up to date
// and what the host should hear is returned: a device the cache did not hold is announced as
// added if the cache holds it afterwards; a device it held as removed if it no longer holds
// it, else as changed (when it was added or changed in the batch).
// heldBefore names the devices the host knows of (the cache held them when the batch began).
BatchAnnouncement reconcileBatch(const std::set<std::string>& added, const std::set<std::string>& changed,
                                 const std::set<std::string>& removed, const std::set<std::string>& heldBefore,
                                 sysapicpp::PropertyBagCache& cache);
// The devices of the three sets that the cache holds.
std::set<std::string> heldDevices(const std::set<std::string>& added, const std::set<std::string>& changed,
                                  const std::set<std::string>& removed, sysapicpp::PropertyBagCache& cache);

class SVSStorageObserver : public IsvsStorageObserver,
                           public virtual CORVComObjectRootEx<CORVComMultiThreadModelNoCS> {
public:
    // None of the three is owned; all outlive the subscription.
    SVSStorageObserver(PropertyBagFactoryInterface& factory, sysapicpp::PropertyBagCache& cache,
                       sysapicpp::NotificationHandler& notifications)
        : factory_(factory), cache_(cache), notifications_(notifications) {}

    HRESULT OnBeginBatch() override;
    HRESULT OnEndBatch() override;
    HRESULT OnStorageReloaded() override;
    HRESULT OnObjectAdded(IsvsObject* object) override;
    HRESULT OnObjectChanged(const GUID* id) override;
    HRESULT OnObjectRemoved(IsvsObject* object) override;
    HRESULT OnStorageClosing() override;

    static const CORVComInterfaceEntry<SVSStorageObserver>* interfaceMap();

    int64_t batchDepth() const { return depth_; }

protected:
    virtual ~SVSStorageObserver() = default;

private:
    void processBatch();

    PropertyBagFactoryInterface& factory_;
    sysapicpp::PropertyBagCache& cache_;
    sysapicpp::NotificationHandler& notifications_;
    std::set<std::string> added_;
    std::set<std::string> changed_;
    std::set<std::string> removed_;
    // Devices of a batch whose processing failed that the host knows of: a failed rebuild took
    // their bags out of the cache, yet the retry must announce them as changed or removed.
    std::set<std::string> heldBeforeFailure_;
    int64_t depth_ = 0;
};

}  // namespace nORVMISysAPICommon100
