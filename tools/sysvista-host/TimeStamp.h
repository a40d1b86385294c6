#pragma once
// Time stamps of the host's output lines.
#include <string>

namespace sysvistahost {

// "[hh:mm:ss.uuuuuu]" of the UTC wall clock, to line up events with their notifications.
std::string timeStamp();

}  // namespace sysvistahost
