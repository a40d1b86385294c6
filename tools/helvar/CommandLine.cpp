#include "CommandLine.h"

#include <getopt.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <vector>

#include "Helvar.h"
#include "ToolOptions.h"
#include "common/platform/ModulePath.h"
#include "helvar/impexp/document/DocumentConstants.h"
#include "helvar/orvxlator/Languages.h"

namespace helvartool {
namespace {

const char* const kShortOptions = ":r:o:s:c:l:hV";
const option kLongOptions[] = {
    {"resource", required_argument, nullptr, 'r'}, {"options", required_argument, nullptr, 'o'},
    {"set", required_argument, nullptr, 's'},      {"change", required_argument, nullptr, 'c'},
    {"lang", required_argument, nullptr, 'l'},     {"help", no_argument, nullptr, 'h'},
    {"version", no_argument, nullptr, 'V'},        {nullptr, 0, nullptr, 0},
};

// Whether an argument is an option whose value is the next argument.
bool takesNextArgument(const std::string& argument) {
    if (argument.size() == 2 && argument[0] == '-' && argument[1] != '-') {
        const char* letter = std::strchr(kShortOptions + 1, argument[1]);
        return letter != nullptr && letter[1] == ':';
    }
    for (const option* o = kLongOptions; o->name != nullptr; ++o) {
        if (o->has_arg == required_argument && argument == std::string("--") + o->name) return true;
    }
    return false;
}

std::string longName(int letter) {
    for (const option* o = kLongOptions; o->name != nullptr; ++o) {
        if (o->val == letter) return std::string("--") + o->name;
    }
    return std::string("-") + static_cast<char>(letter);
}

bool isNegativeNumber(const char* argument) { return argument[0] == '-' && argument[1] >= '0' && argument[1] <= '9'; }

}  // namespace

bool parseLanguage(const std::string& text, int32_t& language) {
    for (uint32_t i = 0; i < orvxlator::kLanguageCount; ++i) {
        if (text == orvxlator::kLanguages[i].tag) {
            language = static_cast<int32_t>(i);
            return true;
        }
    }
    long long number = 0;
    if (!orvtool::parseInteger(text, 0, orvxlator::kLanguageCount - 1, number)) return false;
    language = static_cast<int32_t>(number);
    return true;
}

Parsed parseCommandLine(const Command& command, int argc, char** argv, Options& options) {
    // A negative number is an argument (describe's code), not a cluster of short options; getopt
    // sees the rest, and the arguments keep their order.
    std::map<const char*, int> position;
    std::vector<char*> seen{argv[0]};
    std::vector<char*> numbers;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        position[argv[i]] = i;
        optionsEnded = optionsEnded || std::strcmp(argv[i], "--") == 0;
        if (!optionsEnded && isNegativeNumber(argv[i]) && !takesNextArgument(argv[i - 1])) {
            numbers.push_back(argv[i]);
        } else {
            seen.push_back(argv[i]);
        }
    }
    seen.push_back(nullptr);
    const int count = static_cast<int>(seen.size()) - 1;
    const std::string prefix = std::string("helvar ") + command.name + ": ";
    opterr = 0;
    optind = 1;
    int answer;
    while ((answer = getopt_long(count, seen.data(), kShortOptions, kLongOptions, nullptr)) != -1) {
        if (answer == '?' || answer == ':') {
            std::cerr << prefix << orvtool::optionProblem(answer, seen.data()) << "\n" << command.help;
            return Parsed::kUsage;
        }
        if (answer == 'h') {
            std::cout << command.help;
            return Parsed::kDone;
        }
        if (answer == 'V') {
            printVersions(std::cout);
            return Parsed::kDone;
        }
        if (std::strchr(command.options, answer) == nullptr) {
            std::cerr << prefix << "option " << longName(answer) << " does not apply to " << command.name << "\n"
                      << command.help;
            return Parsed::kUsage;
        }
        const std::string value = optarg;
        switch (answer) {
            case 'r': options.resource = value; break;
            case 'o': options.optionString = value; break;
            case 's': options.assignments.push_back(value); break;
            case 'c': options.changes.push_back(value); break;
            case 'l': {
                int32_t language = 0;
                if (!parseLanguage(value, language)) {
                    std::cerr << prefix << "no language \"" << value
                              << "\": --lang takes en, fr, de, ja, ko, zh or a number 0-5\n";
                    return Parsed::kUsage;
                }
                options.language = language;
                break;
            }
            default: break;
        }
    }
    std::vector<char*> arguments(seen.begin() + optind, seen.end() - 1);
    arguments.insert(arguments.end(), numbers.begin(), numbers.end());
    std::sort(arguments.begin(), arguments.end(), [&](const char* a, const char* b) { return position[a] < position[b]; });
    options.positional.assign(arguments.begin(), arguments.end());
    return Parsed::kRun;
}

int printVersions(std::ostream& out) {
    out << orvtool::versionLine("helvar") << "\n";
    // The library this process loaded, by its file; the version is the one the tool was built with.
    const std::string file = platform::moduleFileName(reinterpret_cast<const void*>(&Helvar_Initialize));
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(std::filesystem::u8path(file), error);
    out << "libHelvar " << impexp::document::kGeneratorVersion << " ("
        << (file.empty() ? std::string("file unknown") : error ? file : resolved.u8string()) << ")\n";
    return kOk;
}

}  // namespace helvartool
