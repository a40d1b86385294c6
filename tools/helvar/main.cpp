// helvar: export, apply, check, save and restore attribute configuration documents of digitizer
// sessions through libHelvar, on whatever driver and IVI engine the library path provides.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "Commands.h"
#include "common/platform/ModulePath.h"
#include "common/platform/WideText.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

const char* const kUsage =
    "usage: helvar <command> [options] [arguments]\n"
    "\n"
    "commands:\n"
    "  export FILE|-       export the session's user-set attributes (\"-\": standard output)\n"
    "  apply FILE|-        apply a document to a fresh session and print the resulting document\n"
    "  check FILE|-        check a document against a fresh session; exit 0 when it would apply\n"
    "  save-restore        save the settings, make the --change assignments, restore, print all three\n"
    "  demo [FOLDER]       the end-to-end scenario on the simulated digitizer\n"
    "  describe CODE       the description of a status code (--lang N: 0 English ... 5 Chinese)\n"
    "  diff A B            compare two documents by meaning (--all, --json); exit 1 when they differ\n"
    "  show FILE|-         a document's header and entries as a table (--json, --csv)\n"
    "\n"
    "options:\n"
    "  --options TEXT      engine option string of the session\n"
    "                      (default \"Simulate=1,RangeCheck=1,Cache=1,DriverSetup=\")\n"
    "  --set [CH/]ID=VALUE set an attribute as the user before the command (repeatable)\n"
    "  --change [CH/]ID=VALUE  save-restore: an assignment made after saving (repeatable)\n"
    "  --lang N            describe: the language of the description (default 0)\n"
    "  --help              this text; \"helvar COMMAND --help\" for one command\n"
    "\n"
    "example:\n"
    "  helvar export --set 0/1250001=0.3 --set 1250012=External settings.json\n"
    "\n"
    "exit codes: 0 done, 1 Helvar or the driver refused, 2 usage error, 3 driver or engine missing,\n"
    "4 the output could not be written (the reason goes to standard error).\n"
    "A refusal shows the status's symbolic name, its number and the description Helvar recorded\n"
    "in the IVI engine, converted from the session language's code page to UTF-8.\n"
    "Descriptions come from the explanation files of the shared folder that the registry file\n"
    "(ORV_REGISTRY_FILE, by default the build's out/registry.reg) names.\n";

struct Command {
    const char* name;
    int (*run)(const helvartool::Options&);
    const char* help;
    // Set for a command that parses its own options.
    int (*runArguments)(int argc, char** argv) = nullptr;
};

const Command kCommands[] = {
    {"export", helvartool::exportCommand,
     "usage: helvar export [--options TEXT] [--set [CH/]ID=VALUE]... FILE|-\n"
     "Opens a session, makes the assignments as the user, attaches Helvar and exports the user-set\n"
     "attributes to FILE (or standard output).\n"
     "example: helvar export --set 0/1250001=0.3 settings.json\n"},
    {"apply", helvartool::applyCommand,
     "usage: helvar apply [--options TEXT] FILE|-\n"
     "Applies the document to a fresh session and prints the session's document afterwards.\n"
     "example: helvar apply - < settings.json\n"},
    {"check", helvartool::checkCommand,
     "usage: helvar check [--options TEXT] FILE|-\n"
     "Validates the document against a scratch session with the given options (format, version,\n"
     "model number, channels, every entry); prints \"accepted\" or the refusal.\n"
     "example: helvar check settings.json\n"},
    {"save-restore", helvartool::saveRestoreCommand,
     "usage: helvar save-restore [--options TEXT] [--set A]... [--change A]...\n"
     "Saves the settings in memory, makes the --change assignments, restores, and prints the three\n"
     "documents.\n"
     "example: helvar save-restore --set 1250012=External --change 1250012=Immediate\n"},
    {"describe", helvartool::describeCommand,
     "usage: helvar describe CODE [--lang N]\n"
     "Prints the static description of CODE (decimal or 0x hexadecimal) in language N (0 English,\n"
     "1 French, 2 German, 3 Japanese, 4 Korean, 5 Simplified Chinese) and what a driver's error\n"
     "query gets for it (255 bytes at most, in the language's code page, shown as UTF-8).\n"
     "example: helvar describe -1074100298 --lang 3\n"},
    {"demo", helvartool::demoCommand,
     "usage: helvar demo [--options TEXT] [FOLDER]\n"
     "Runs the end-to-end scenario, writing its files to FOLDER (default: a temporary folder).\n"
     "example: helvar demo /tmp/helvar-demo\n"},
    {"diff", nullptr, helvartool::kDiffHelp, helvartool::diffCommand},
    {"show", nullptr, helvartool::kShowHelp, helvartool::showCommand},
};

}  // namespace

namespace {

// Output is checked once, at the end: a failed write leaves the stream failed for good, so no
// failure goes unseen, and the last buffered bytes are pushed out here.
int checkedOutput(int code) {
    errno = 0;
    std::cout.flush();
    const bool written = std::cout.good() && std::fflush(stdout) == 0 && !std::ferror(stdout);
    if (written) return code;
    const int error = errno;
    std::cerr << "helvar: cannot write to standard output" << (error != 0 ? std::string(": ") + std::strerror(error) : "")
              << "\n";
    return code != helvartool::kOk ? code : helvartool::kOutputFailed;
}

int run(int argc, char** argv);

}  // namespace

int main(int argc, char** argv) { return checkedOutput(run(argc, argv)); }

namespace {

// For this process's platform layer and for the run time's getenv.
void setVariable(const char* name, const std::string& value) {
#if defined(_WIN32)
    ::SetEnvironmentVariableW(platform::utf8ToWide(name).c_str(), platform::utf8ToWide(value).c_str());
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

int run(int argc, char** argv) {
    // Without a registry file of its own, the tool uses the one installed beside it.
    if (!std::getenv("ORV_REGISTRY_FILE")) {
        const std::string program = platform::moduleFileName(reinterpret_cast<const void*>(&run));
        const std::string folder = program.substr(0, program.find_last_of("/\\") + 1);
        const std::string registry = folder + "../registry.reg";
        if (!program.empty() && std::ifstream(registry).good()) setVariable("ORV_REGISTRY_FILE", registry);
    }
    if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
        (argc < 2 ? std::cerr : std::cout) << kUsage;
        return argc < 2 ? helvartool::kUsage : helvartool::kOk;
    }
    const Command* command = nullptr;
    for (const Command& candidate : kCommands) {
        if (std::strcmp(argv[1], candidate.name) == 0) command = &candidate;
    }
    if (!command) {
        std::cerr << "helvar: unknown command \"" << argv[1] << "\"\n" << kUsage;
        return helvartool::kUsage;
    }
    if (command->runArguments) return command->runArguments(argc - 1, argv + 1);
    helvartool::Options options;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            std::cout << command->help;
            return helvartool::kOk;
        } else if (arg == "--options" && hasValue) {
            options.optionString = argv[++i];
        } else if (arg == "--set" && hasValue) {
            options.assignments.push_back(argv[++i]);
        } else if (arg == "--lang" && hasValue) {
            options.language = std::atoi(argv[++i]);
        } else if (arg == "--change" && hasValue) {
            options.changes.push_back(argv[++i]);
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "-" && !(arg[1] >= '0' && arg[1] <= '9')) {
            std::cerr << "helvar " << command->name << ": unknown or incomplete option \"" << arg << "\"\n" << command->help;
            return helvartool::kUsage;
        } else {
            options.positional.push_back(arg);
        }
    }
    return command->run(options);
}

}  // namespace
