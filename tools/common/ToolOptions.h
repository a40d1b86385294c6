#pragma once
// Command-line conventions shared by the tools: getopt_long's complaints in one wording, strict
// numbers, and the first line of --version.
#include <string>

namespace orvtool {

// The message for getopt_long's '?' or ':' answer; optstring starts with ':' and opterr is 0.
std::string optionProblem(int answer, char* const* argv);

// The whole text as a decimal number (a leading '-' allowed) within [low, high]; nothing is
// wrapped, cut or read as 0.
bool parseInteger(const std::string& text, long long low, long long high, long long& value);

// "program VERSION": the version of the package the tools ship in.
std::string versionLine(const char* program);

}  // namespace orvtool
