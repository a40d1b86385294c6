#pragma once
// Keeps one bag per device between host calls and rebuilds only the bags of devices announced
// as added or changed. Announcements take only the pending lock, so they never wait for a
// refresh that is building bags.
#include <map>
#include <set>
#include <string>

#include "quorrel/comsupport/CorvCS.h"
#include "quorrel/sysapicpp/PropertyBagFactory.h"

namespace sysapicpp {

class PropertyBagCacheInterface {
public:
    virtual ~PropertyBagCacheInterface() = default;
    virtual void refresh() = 0;
    // Keys ascending; the caller refreshes first.
    virtual void listIDs(IdList& out) = 0;
    virtual void listBags(BagList& out) = 0;
    // Throws ItemNotExistException when no bag is cached under id.
    virtual PropertyBagHandle getBag(const std::string& id) = 0;
    virtual bool contains(const std::string& id) = 0;
    virtual void addPending(const IdList& ids) = 0;
    virtual void markChanged(const IdList& ids) = 0;
    virtual void markChanged(const std::string& id) = 0;
    virtual void remove(const IdList& ids) = 0;
};

class PropertyBagCache : public PropertyBagCacheInterface {
public:
    explicit PropertyBagCache(PropertyBagFactory& factory) : factory_(factory) {}

    void refresh() override;
    void listIDs(IdList& out) override;
    void listBags(BagList& out) override;
    PropertyBagHandle getBag(const std::string& id) override;
    bool contains(const std::string& id) override;
    void addPending(const IdList& ids) override;
    void markChanged(const IdList& ids) override;
    void markChanged(const std::string& id) override;
    void remove(const IdList& ids) override;

private:
    // ids in order, each once: failed refreshes may have announced a device several times.
    static IdList withoutRepeats(const IdList& ids);

    PropertyBagFactory& factory_;
    Kitbase::CorvCS cacheLock_;
    std::map<std::string, PropertyBagHandle> bags_;
    // Devices whose bags a failed refresh dropped; under the cache lock.
    std::set<std::string> owed_;
    Kitbase::CorvCS pendingLock_;
    bool filled_ = false;
    IdList pendingAdded_;
    IdList pendingChanged_;
};

}  // namespace sysapicpp
