#pragma once
// Output of the host: results on stdout, errors on stderr; whole lines, so that notifications
// printed by the plug-in's worker threads never cut into other output.
#include <string>

namespace sysvistahost {

void printLine(const std::string& line);
void printError(const std::string& line);

}  // namespace sysvistahost
