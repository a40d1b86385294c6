#pragma once
// Names the document entry a session refused, so that the user can tell which of many to fix.
#include <cstddef>

#include <rapidjson/document.h>

#include "common/orverr/Status.h"

namespace impexp {

// Adds to the refusal, under our translator, the entry's 1-based position in "attributes", its "id",
// its "name" and its "channel" when not empty; the id and the channel only when the refusal does not
// already name them. The code and the refusal's own elaborations stay as they are. entry has passed
// validation up to its "name".
void nameEntry(orverr::Status& refusal, std::size_t entryIndex, const rapidjson::Value& entry);

}  // namespace impexp
