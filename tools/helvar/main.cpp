// helvar: export, apply, check, save and restore attribute configuration documents of digitizer
// sessions through libHelvar, on whatever driver and IVI engine the library path provides.
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#include "CommandLine.h"
#include "Commands.h"
#include "ToolRun.h"
#include "common/platform/ModulePath.h"
#include "common/platform/WideText.h"

#if defined(_WIN32)
#include <windows.h>
#endif

namespace {

using helvartool::Command;

const char* const kUsageText =
    "usage: helvar COMMAND [options] [arguments]\n"
    "       helvar --version | --help\n"
    "\n"
    "commands:\n"
    "  export FILE|-       export the session's user-set attributes (\"-\": standard output)\n"
    "  apply FILE|-        apply a document to a fresh session and print the resulting document\n"
    "  check FILE|-        check a document against a fresh session; exit 0 when it would apply\n"
    "  save-restore        save the settings, make the --change assignments, restore, print all three\n"
    "  demo [FOLDER]       the end-to-end scenario on the simulated digitizer\n"
    "  describe CODE       the description of a status code in a language (--lang)\n"
    "  diff A B            compare two documents by meaning (--all, --json); exit 1 when they differ\n"
    "  show FILE|-         a document's header and entries as a table (--json, --csv)\n"
    "\n"
    "options:\n"
    "  -r, --resource NAME     resource the driver opens (default \"SimDigitizer\", the simulated one)\n"
    "  -o, --options TEXT      engine option string of the session\n"
    "                          (default \"Simulate=1,RangeCheck=1,Cache=1,DriverSetup=\")\n"
    "  -s, --set [CH/]ATTR=VALUE  set an attribute as the user before the command (repeatable);\n"
    "                          ATTR is an id (1250012) or the session's name for it\n"
    "                          (DIGISCAN_ATTR_TRIGGER_SOURCE)\n"
    "  -c, --change [CH/]ATTR=VALUE  save-restore: an assignment made after saving (repeatable)\n"
    "  -l, --lang LANG         language of descriptions: en, fr, de, ja, ko, zh or 0-5 (describe;\n"
    "                          for the other commands the session's language, default English)\n"
    "  -V, --version           the versions of the tool and of the library it loaded\n"
    "  -h, --help              this text; \"helvar COMMAND --help\" for one command\n"
    "\n"
    "example:\n"
    "  helvar export --set 0/1250001=0.3 --set DIGISCAN_ATTR_TRIGGER_SOURCE=External settings.json\n"
    "\n"
    "exit codes: 0 done, 1 Helvar or the driver refused, 2 usage error, 3 driver, engine or resource\n"
    "missing, 4 the output could not be written (the reason goes to standard error).\n"
    "A refusal shows the status's symbolic name, its number and the description Helvar recorded\n"
    "in the IVI engine, converted from the session language's code page to UTF-8.\n"
    "Descriptions come from the explanation files of the shared folder that the registry file\n"
    "(ORV_REGISTRY_FILE, by default the build's out/registry.reg) names.\n";

// One row per command: its name, what runs it, the options it takes (their short letters) and
// its help.
const Command kCommands[] = {
    {"export", helvartool::exportCommand, "rosl",
     "usage: helvar export [-r NAME] [-o TEXT] [-l LANG] [-s [CH/]ATTR=VALUE]... FILE|-\n"
     "Opens a session, makes the assignments as the user, attaches Helvar and exports the user-set\n"
     "attributes to FILE (or standard output).\n"
     "example: helvar export --set 0/1250001=0.3 --set DIGISCAN_ATTR_TRIGGER_SOURCE=External settings.json\n"},
    {"apply", helvartool::applyCommand, "rol",
     "usage: helvar apply [-r NAME] [-o TEXT] [-l LANG] FILE|-\n"
     "Applies the document to a fresh session and prints the session's document afterwards; a\n"
     "refusal is described in the --lang language.\n"
     "example: helvar apply --lang fr - < settings.json\n"},
    {"check", helvartool::checkCommand, "rol",
     "usage: helvar check [-r NAME] [-o TEXT] [-l LANG] FILE|-\n"
     "Validates the document against a scratch session with the given options (format, version,\n"
     "model number, channels, every entry); prints \"accepted\" or the refusal (in the --lang\n"
     "language), and warns about an entry whose \"name\" is not the session's name for its id.\n"
     "example: helvar check --lang ja settings.json\n"},
    {"save-restore", helvartool::saveRestoreCommand, "roslc",
     "usage: helvar save-restore [-r NAME] [-o TEXT] [-l LANG] [-s A]... [-c A]...\n"
     "Saves the settings in memory, makes the --change assignments, restores, and prints the three\n"
     "documents.\n"
     "example: helvar save-restore --set 1250012=External --change DIGISCAN_ATTR_TRIGGER_SOURCE=Immediate\n"},
    {"describe", helvartool::describeCommand, "l",
     "usage: helvar describe [-l LANG] CODE\n"
     "Prints the static description of CODE in language LANG (en English, fr French, de German,\n"
     "ja Japanese, ko Korean, zh Simplified Chinese, or 0-5 in that order; default English) and\n"
     "what a driver's error query gets for it (255 bytes at most, in the language's code page,\n"
     "shown as UTF-8). CODE is decimal within -2147483648..2147483647, or 0x followed by at most\n"
     "8 hexadecimal digits (the status's 32 bits); anything else is a usage error.\n"
     "example: helvar describe --lang ja -1074100298\n"},
    {"demo", helvartool::demoCommand, "ro",
     "usage: helvar demo [-r NAME] [-o TEXT] [FOLDER]\n"
     "Runs the end-to-end scenario, writing its files to FOLDER (default: a temporary folder).\n"
     "example: helvar demo /tmp/helvar-demo\n"},
    {"diff", nullptr, "", helvartool::kDiffHelp, helvartool::diffCommand},
    {"show", nullptr, "", helvartool::kShowHelp, helvartool::showCommand},
};

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
    if (argc < 2) {
        std::cerr << kUsageText;
        return helvartool::kUsage;
    }
    const std::string first = argv[1];
    if (first == "--help" || first == "-h") {
        std::cout << kUsageText;
        return helvartool::kOk;
    }
    if (first == "--version" || first == "-V") return helvartool::printVersions(std::cout);
    const Command* command = nullptr;
    for (const Command& candidate : kCommands) {
        if (first == candidate.name) command = &candidate;
    }
    if (!command) {
        std::cerr << "helvar: unknown command \"" << first << "\"\n" << kUsageText;
        return helvartool::kUsage;
    }
    if (command->runArguments) return command->runArguments(argc - 1, argv + 1);
    helvartool::Options options;
    const helvartool::Parsed parsed = helvartool::parseCommandLine(*command, argc - 1, argv + 1, options);
    if (parsed != helvartool::Parsed::kRun) return parsed == helvartool::Parsed::kDone ? helvartool::kOk : helvartool::kUsage;
    return command->run(options);
}

}  // namespace

int main(int argc, char** argv) { return orvtool::runTool("helvar", run, argc, argv); }
