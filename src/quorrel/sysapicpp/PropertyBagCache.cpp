#include "quorrel/sysapicpp/PropertyBagCache.h"

#include "common/platform/WideText.h"
#include "explorer/PropertyTags.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace sysapicpp {

void PropertyBagCache::refresh() {
    Kitbase::CorvCSLock cacheGuard(cacheLock_);
    IdList added;
    IdList changed;
    bool wasFilled;
    {
        Kitbase::CorvCSLock pendingGuard(pendingLock_);
        added.swap(pendingAdded_);
        changed.swap(pendingChanged_);
        wasFilled = filled_;
        filled_ = true;
    }
    IdList dropped;
    try {
        // A listing the storage could not complete is done again at the next refresh, or the
        // devices it missed would stay hidden for the expert's whole life.
        if (!wasFilled && !factory_.listDeviceIDs(added)) {
            Kitbase::CorvCSLock pendingGuard(pendingLock_);
            filled_ = false;
        }
        for (const std::string& id : changed) {
            if (bags_.erase(id) != 0) dropped.push_back(id);
            added.push_back(id);
        }
        if (added.empty()) return;
        BagList built;
        factory_.createPropertyBags(built, added);
        for (PropertyBagHandle& bag : built) {
            // An entry already cached stays; the new bag is released with `built`.
            bags_.emplace(platform::wideToUtf8(bag.getString(kSvSysTagDeviceID)), bag);
        }
    } catch (...) {
        // Devices whose bags this refresh dropped are announced again, and a failed first fill
        // is repeated, so that one failed build does not leave devices without bags for good.
        Kitbase::CorvCSLock pendingGuard(pendingLock_);
        if (!wasFilled) filled_ = false;
        pendingChanged_.insert(pendingChanged_.end(), dropped.begin(), dropped.end());
        throw;
    }
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
    for (const std::string& id : ids) bags_.erase(id);
}

}  // namespace sysapicpp
