#pragma once
// helvar check's warnings about entries whose "name" is not the session's name for their id: the
// import goes by the id, so such a document does not do what its reader believes.
#include <iosfwd>
#include <string>

#include "DriverSession.h"

namespace helvartool {

// Nothing for a text that is not a document.
void warnAboutNames(std::ostream& out, const std::string& document, const DriverSession& session);

}  // namespace helvartool
