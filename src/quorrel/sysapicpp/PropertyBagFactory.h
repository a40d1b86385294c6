#pragma once
// What the bag cache asks of an expert's device source.
#include <string>
#include <vector>

#include "quorrel/sysapicpp/PropertyBagHandle.h"

namespace sysapicpp {

using IdList = std::vector<std::string>;
using BagList = std::vector<PropertyBagHandle>;

class PropertyBagFactory {
public:
    virtual ~PropertyBagFactory() = default;
    // IDs of every device shown, in storage order. false when the storage failed a read: what
    // was listed is used, and the list is asked for again at the next refresh.
    virtual bool listDeviceIDs(IdList& out) = 0;
    // One bag per shown ID of ids, in that order; IDs not shown are skipped.
    virtual void createPropertyBags(BagList& out, const IdList& ids) = 0;
};

}  // namespace sysapicpp
