#pragma once
// The command line of the helvar tool: getopt_long over one command's options.
#include <cstdint>
#include <iosfwd>
#include <string>

#include "Commands.h"

namespace helvartool {

struct Command {
    const char* name;
    int (*run)(const Options&);
    const char* options;  // the short letters of the options it takes, besides -h and -V
    const char* help;
    // Set for a command that parses its own options (argv[0] is the command's name).
    int (*runArguments)(int argc, char** argv) = nullptr;
};

enum class Parsed { kRun, kDone, kUsage };

// Reads argv[1..] (argv[0] is the command's name) into options; kDone after printing the help or
// the versions, kUsage after telling standard error what is wrong.
Parsed parseCommandLine(const Command& command, int argc, char** argv, Options& options);

// "en" ... "zh" or 0-5; false for anything else.
bool parseLanguage(const std::string& text, int32_t& language);

// The tool's version and the library's; the exit code.
int printVersions(std::ostream& out);

}  // namespace helvartool
