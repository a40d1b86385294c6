#pragma once
// Braced upper-case GUID text of storage object and class IDs.
#include <string>

#include "palu/tSSRawGUID.h"

namespace orvsim {
namespace storage {

std::string formatGuid(const tSSRawGUID& id);
// Accepts the braced or bare 8-4-4-4-12 form in any case.
bool parseGuid(const std::string& text, tSSRawGUID& id);

}  // namespace storage
}  // namespace orvsim
