#pragma once
#include <string>

namespace sysvistahost {

// "[hh:mm:ss.uuuuuu]" of the UTC wall clock, to line up events with their notifications.
std::string timeStamp();

}  // namespace sysvistahost
