#pragma once
// The subcommands of the helvar tool. Each returns the process exit code.
#include <cstdint>
#include <string>
#include <vector>

namespace helvartool {

enum ExitCode { kOk = 0, kRefused = 1, kUsage = 2, kEnvironment = 3, kOutputFailed = 4 };

struct Options {
    std::string optionString = "Simulate=1,RangeCheck=1,Cache=1,DriverSetup=";
    std::vector<std::string> assignments;  // --set
    std::vector<std::string> changes;      // --change (save-restore)
    std::vector<std::string> positional;
    int32_t language = 0;                  // --lang (describe)
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

}  // namespace helvartool
