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

class PropertyBagCache {
public:
    explicit PropertyBagCache(PropertyBagFactory& factory) : factory_(factory) {}

    void refresh();
    // Keys ascending; the caller refreshes first.
    void listIDs(IdList& out);
    void listBags(BagList& out);
    // Throws ItemNotExistException when no bag is cached under id.
    PropertyBagHandle getBag(const std::string& id);
    bool contains(const std::string& id);
    void addPending(const IdList& ids);
    void markChanged(const IdList& ids);
    void markChanged(const std::string& id);
    void remove(const IdList& ids);

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
