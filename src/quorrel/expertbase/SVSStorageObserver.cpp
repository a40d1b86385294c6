#include "quorrel/expertbase/SVSStorageObserver.h"

#include <map>

#include "quorrel/dsc/GuidText.h"
#include "quorrel/expertbase/CsvsException.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace nORVMISysAPICommon100 {

namespace {

// The host hears an HRESULT, never an exception.
template <class Body>
HRESULT answer(Body&& body) noexcept {
    try {
        body();
        return S_OK;
    } catch (...) {
        return sysapicpp::hresultOfCurrentException(nullptr);
    }
}

std::string idOf(IsvsObject& object) {
    GUID id{};
    const HRESULT hr = object.GetID(&id);
    if (FAILED(hr)) throw CsvsException(kGetIDOperation, IID_IsvsObject, hr, __FILE__, __LINE__);
    return orv::dsc::guidToString(orv::dsc::toRawGuid(id));
}

}  // namespace

std::set<std::string> heldDevices(const std::set<std::string>& added, const std::set<std::string>& changed,
                                  const std::set<std::string>& removed, sysapicpp::PropertyBagCache& cache) {
    std::set<std::string> held;
    for (const auto* set : {&added, &changed, &removed}) {
        for (const std::string& id : *set) {
            if (cache.contains(id)) held.insert(id);
        }
    }
    return held;
}

BatchAnnouncement reconcileBatch(const std::set<std::string>& added, const std::set<std::string>& changed,
                                 const std::set<std::string>& removed, const std::set<std::string>& heldBefore,
                                 sysapicpp::PropertyBagCache& cache) {
    std::map<std::string, bool> touched;
    for (const auto* set : {&added, &changed, &removed}) {
        for (const std::string& id : *set) touched.emplace(id, heldBefore.count(id) != 0);
    }
    sysapicpp::IdList pending, rebuilt, dropped;
    for (const auto& [id, held] : touched) {
        const bool wasAdded = added.count(id) != 0;
        const bool wasChanged = changed.count(id) != 0;
        const bool wasRemoved = removed.count(id) != 0;
        if (!held) {
            if (wasAdded) pending.push_back(id);
        } else if (wasAdded || (wasChanged && !wasRemoved)) {
            // Rebuilt from storage: a device that is gone by now simply gets no bag.
            rebuilt.push_back(id);
        } else if (wasRemoved) {
            dropped.push_back(id);
        }
    }
    cache.addPending(pending);
    cache.markChanged(rebuilt);
    cache.remove(dropped);
    // The bags exist before the host hears of them.
    cache.refresh();

    BatchAnnouncement announcement;
    for (const auto& [id, held] : touched) {
        const bool heldNow = cache.contains(id);
        if (!held) {
            if (heldNow && added.count(id) != 0) announcement.added.push_back(id);
        } else if (!heldNow) {
            announcement.removed.push_back(id);
        } else if (added.count(id) != 0 || changed.count(id) != 0) {
            announcement.changed.push_back(id);
        }
    }
    return announcement;
}

const CORVComInterfaceEntry<SVSStorageObserver>* SVSStorageObserver::interfaceMap() {
    using Self = SVSStorageObserver;
    static const CORVComInterfaceEntry<Self> map[] = {{&IID_IsvsStorageObserver, &corvComCast<Self, IsvsStorageObserver>},
                                                      {nullptr, nullptr}};
    return map;
}

HRESULT SVSStorageObserver::OnBeginBatch() {
    ++depth_;
    return S_OK;
}

HRESULT SVSStorageObserver::OnEndBatch() {
    // An end without a begin is the host's slip; it never drives the count below zero.
    if (depth_ == 0) return S_OK;
    if (--depth_ != 0) return S_OK;
    return answer([&] { processBatch(); });
}

HRESULT SVSStorageObserver::OnStorageReloaded() { return S_OK; }

HRESULT SVSStorageObserver::OnObjectAdded(IsvsObject* object) {
    if (object == nullptr) return S_OK;
    return answer([&] {
        const std::string id = idOf(*object);
        nORVMDBG100::tStatus2 status;
        if (factory_.isDeviceSupported(orv::dsc::guidFromString(id), status)) added_.insert(id);
    });
}

HRESULT SVSStorageObserver::OnObjectChanged(const GUID* id) {
    if (id == nullptr) return S_OK;
    return answer([&] { changed_.insert(orv::dsc::guidToString(orv::dsc::toRawGuid(*id))); });
}

HRESULT SVSStorageObserver::OnObjectRemoved(IsvsObject* object) {
    if (object == nullptr) return S_OK;
    return answer([&] { removed_.insert(idOf(*object)); });
}

HRESULT SVSStorageObserver::OnStorageClosing() { return S_OK; }

void SVSStorageObserver::processBatch() {
    std::set<std::string> added, changed, removed;
    added.swap(added_);
    changed.swap(changed_);
    removed.swap(removed_);
    std::set<std::string> held = heldDevices(added, changed, removed, cache_);
    held.insert(heldBeforeFailure_.begin(), heldBeforeFailure_.end());
    BatchAnnouncement announcement;
    try {
        announcement = reconcileBatch(added, changed, removed, held, cache_);
        heldBeforeFailure_.clear();
    } catch (...) {
        // Retried with the next batch.
        added_.insert(added.begin(), added.end());
        changed_.insert(changed.begin(), changed.end());
        removed_.insert(removed.begin(), removed.end());
        heldBeforeFailure_.swap(held);
        throw;
    }
    notifications_.notify(sysapicpp::kDevicesAdded, announcement.added);
    notifications_.notify(sysapicpp::kDevicesChanged, announcement.changed);
    notifications_.notify(sysapicpp::kDevicesRemoved, announcement.removed);
}

}  // namespace nORVMISysAPICommon100
