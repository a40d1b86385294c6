#include "quorrel/sysapicpp/PropertyBagCache.h"

#include <set>

#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

void PropertyBagCache::refresh() {
    Kitbase::CorvCSLock cacheGuard(cacheLock_);
    IdList announced;
    IdList changed;
    bool wasFilled;
    {
        Kitbase::CorvCSLock pendingGuard(pendingLock_);
        announced.swap(pendingAdded_);
        changed.swap(pendingChanged_);
        wasFilled = filled_;
        filled_ = true;
    }
    IdList owed;
    try {
        IdList added = announced;
        // A listing the storage could not complete is done again at the next refresh, or the
        // devices it missed would stay hidden for the expert's whole life.
        if (!wasFilled && !factory_.listDeviceIDs(added)) {
            Kitbase::CorvCSLock pendingGuard(pendingLock_);
            filled_ = false;
        }
        for (const std::string& id : changed) {
            // A bag an earlier failed refresh dropped is still owed; an unknown device is not.
            if (bags_.erase(id) != 0 || owed_.count(id) != 0) owed.push_back(id);
            added.push_back(id);
        }
        if (added.empty()) return;
        const IdList requested = withoutRepeats(added);
        BagList built;
        factory_.createPropertyBags(built, requested);
        for (PropertyBagHandle& bag : built) {
            // An entry already cached stays; the new bag is released with `built`.
            bags_.emplace(platform::wideToUtf8(bag.getString(kSvSysTagDeviceID)), bag);
        }
        for (const std::string& id : requested) owed_.erase(id);
    } catch (...) {
        // Whatever this refresh was to build is asked for again, however often building fails:
        // the announced devices, the changed ones whose bags are gone, and a first fill.
        owed_.insert(owed.begin(), owed.end());
        Kitbase::CorvCSLock pendingGuard(pendingLock_);
        if (!wasFilled) filled_ = false;
        pendingAdded_.insert(pendingAdded_.end(), announced.begin(), announced.end());
        pendingChanged_.insert(pendingChanged_.end(), owed.begin(), owed.end());
        throw;
    }
}

IdList PropertyBagCache::withoutRepeats(const IdList& ids) {
    IdList unique;
    std::set<std::string> seen;
    for (const std::string& id : ids) {
        if (seen.insert(id).second) unique.push_back(id);
    }
    return unique;
}

void PropertyBagCache::listIDs(IdList& out) {
    Kitbase::CorvCSLock guard(cacheLock_);
    for (const auto& entry : bags_) out.push_back(entry.first);
}

void PropertyBagCache::listBags(BagList& out) {
    Kitbase::CorvCSLock guard(cacheLock_);
    for (const auto& entry : bags_) out.push_back(entry.second);
}

PropertyBagHandle PropertyBagCache::getBag(const std::string& id) {
    Kitbase::CorvCSLock guard(cacheLock_);
    auto found = bags_.find(id);
    if (found == bags_.end()) SYSAPICPP_THROW(ItemNotExistException);
    return found->second;
}

bool PropertyBagCache::contains(const std::string& id) {
    Kitbase::CorvCSLock guard(cacheLock_);
    return bags_.count(id) != 0;
}

void PropertyBagCache::addPending(const IdList& ids) {
    Kitbase::CorvCSLock guard(pendingLock_);
    pendingAdded_.insert(pendingAdded_.end(), ids.begin(), ids.end());
}

void PropertyBagCache::markChanged(const IdList& ids) {
    Kitbase::CorvCSLock guard(pendingLock_);
    pendingChanged_.insert(pendingChanged_.end(), ids.begin(), ids.end());
}

void PropertyBagCache::markChanged(const std::string& id) {
    Kitbase::CorvCSLock guard(pendingLock_);
    pendingChanged_.push_back(id);
}

void PropertyBagCache::remove(const IdList& ids) {
    Kitbase::CorvCSLock guard(cacheLock_);
    for (const std::string& id : ids) {
        bags_.erase(id);
        owed_.erase(id);
    }
}

}  // namespace sysapicpp
