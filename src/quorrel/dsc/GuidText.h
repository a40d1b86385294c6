#pragma once
// Device ID strings: a storage object ID written as a braced upper-case GUID.
#include <string>

#include "explorer/Com.h"
#include "palu/tSSRawGUID.h"
#include "quorrel/sysapicpp/Exceptions.h"

namespace orv::dsc {

namespace exception {
// E_FAIL with the text "Badly formatted Guid string.".
class BadGuidString : public sysapicpp::HResultException {
public:
    BadGuidString();
};
}  // namespace exception

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
std::string guidToString(const tSSRawGUID& id);
// Braces optional, hex digits of either case; anything else throws BadGuidString.
tSSRawGUID guidFromString(const std::string& text);
// The one form device IDs are compared and stored in: a GUID in any accepted spelling becomes
// guidToString's; text that is no GUID is returned as it is (and then matches no device).
std::string canonicalGuidText(const std::string& text);

GUID toGuid(const tSSRawGUID& id);
tSSRawGUID toRawGuid(const GUID& id);

}  // namespace orv::dsc
