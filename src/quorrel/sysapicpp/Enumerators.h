#pragma once
// The two enumerators the expert hands to the host: device ID strings and property tags. Each
// owns its items in a holder object that every clone keeps alive.
#include <set>
#include <string>
#include <vector>

#include "explorer/PropertyBag.h"

namespace sysapicpp {

using StringList = std::vector<std::wstring>;
using TagSet = std::set<ULONG>;

// A new enumerator (one reference for the caller) over its own copy of the items.
HRESULT createStringEnumerator(const StringList& items, IsvSysEnumStringList** out) noexcept;
HRESULT createTagEnumerator(const TagSet& tags, IsvSysEnumPropertyTag** out) noexcept;

}  // namespace sysapicpp
