#pragma once
// The subcommands of the helvar tool. Each returns the process exit code.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ExitCodes.h"

namespace helvartool {

using orvtool::kEnvironment;
using orvtool::kOk;
using orvtool::kOutputFailed;
using orvtool::kRefused;
using orvtool::kUsage;

struct Options {
    std::string resource = "SimDigitizer";                                         // --resource
    std::string optionString = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=";    // --options
    std::vector<std::string> assignments;  // --set
    std::vector<std::string> changes;      // --change (save-restore)
    std::vector<std::string> positional;
    std::optional<int32_t> language;       // --lang: describe's language, the session's otherwise

    // The option string with the --lang language as the driver's setup item, when one was given.
    std::string sessionOptions() const;
};

int exportCommand(const Options& options);
int applyCommand(const Options& options);
int checkCommand(const Options& options);
int saveRestoreCommand(const Options& options);
int demoCommand(const Options& options);
int describeCommand(const Options& options);

// Commands that parse their own options (argv[0] is the command's name).
int diffCommand(int argc, char** argv);
int showCommand(int argc, char** argv);
extern const char* const kDiffHelp;
extern const char* const kShowHelp;
// The option string with one more driver-setup item.
std::string withDriverSetup(const std::string& options, const std::string& item);

// What describe shows for a code already checked, in a language already checked (0-5).
int describeCode(int32_t code, int32_t language);

}  // namespace helvartool
