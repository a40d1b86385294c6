// The end-to-end scenario of the README's main job, on the simulated digitizer.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <string>

#include "Commands.h"
#include "DriverSession.h"
#include "Helvar.h"
#include "Report.h"

namespace helvartool {
namespace {

// The driver's public attribute ids (a real driver ships them in its header).
const std::vector<std::string> kUserSettings = {
    "0/1250001=0.3",       // vertical range of channel 0: the instrument coerces 0.3 V up to 1 V
    "1/1250003=1",         // vertical coupling of channel 1: DC
    "1/1250002=-0.25",     // vertical offset of channel 1
    "1250010=300000000",   // sample rate
    "1250011=1000",        // record length: the instrument rounds it up to 1008
    "1250012=External",    // trigger source
    "1250013=0.125",       // trigger level
};

std::string withoutTimeStamp(const std::string& document) {
    static const std::regex stamp("\"timeStamp\": \"[^\"]*\"");
    return std::regex_replace(document, stamp, "\"timeStamp\": \"...\"");
}

void heading(const char* text) { std::cout << "\n== " << text << "\n"; }

// What a user's program reads after a refusal from the driver's error query: the code, its meaning
// and the whole description Helvar recorded.
void showDriverError(ViSession handle) {
    const PendingError error = DriverSession::takeDriverError(handle);
    std::cout << "Digiscan_GetError gives code " << error.primary << " and the text:\n"
              << indented(toUtf8(error.elaboration, DriverSession::language(handle))) << "\n";
}

bool writeText(const std::filesystem::path& path, const std::string& text) {
    std::ofstream out(path, std::ios::binary);
    out << text;
    return static_cast<bool>(out);
}

class Attached {
public:
    Attached(const std::string& resource, const std::string& options) : session(resource, options) {}
    ~Attached() {
        if (attached) Helvar_Close(session.handle());
    }
    bool attach() {
        const ViStatus status = Helvar_Initialize(session.handle());
        if (status < 0) reportFailure(std::cout, "Helvar_Initialize", status, 0);
        attached = status >= 0;
        return attached;
    }
    std::string document() {
        const ViStatus needed = Helvar_ExportAttributeConfigurationBuffer(session.handle(), 0, nullptr);
        if (needed <= 0) {
            reportFailure(std::cout, "Helvar_ExportAttributeConfigurationBuffer", needed, session.handle());
            return "";
        }
        std::string text(static_cast<size_t>(needed), '\0');
        if (Helvar_ExportAttributeConfigurationBuffer(session.handle(), needed, text.data()) < 0) return "";
        text.resize(text.size() - 1);
        return text;
    }
    DriverSession session;
    bool attached = false;
};

}  // namespace

int demoCommand(const Options& options) {
    try {
        const std::filesystem::path folder =
            options.positional.empty() ? std::filesystem::temp_directory_path() / "helvar-demo" : std::filesystem::path(options.positional[0]);
        std::filesystem::create_directories(folder);
        const std::filesystem::path file = folder / "digitizer-settings.json";

        heading("1. A simulated digitizer session with the user's settings");
        Attached original(options.resource, options.sessionOptions());
        for (const std::string& assignment : kUserSettings) {
            std::string problem;
            if (original.session.set(assignment, problem) < 0) {
                std::cout << "cannot set " << assignment << ": " << problem << "\n";
                return kEnvironment;
            }
            std::cout << "set " << assignment << "\n";
        }
        if (!original.attach()) return kRefused;
        std::cout << "Helvar attached to session " << original.session.handle() << "\n";

        heading("2. Export to a file");
        ViStatus status = Helvar_ExportAttributeConfigurationFile(original.session.handle(), file.string().c_str());
        if (status < 0) {
            reportFailure(std::cout, "Helvar_ExportAttributeConfigurationFile", status, original.session.handle());
            return kRefused;
        }
        std::ifstream in(file, std::ios::binary);
        std::stringstream exported;
        exported << in.rdbuf();
        std::cout << file.string() << ":\n" << exported.str() << "\n";

        heading("3. Apply the file to a fresh session");
        Attached fresh(options.resource, options.sessionOptions());
        if (!fresh.attach()) return kRefused;
        status = Helvar_ImportAttributeConfigurationFile(fresh.session.handle(), file.string().c_str());
        if (status < 0) {
            reportFailure(std::cout, "Helvar_ImportAttributeConfigurationFile", status, fresh.session.handle());
            return kRefused;
        }
        const bool same = withoutTimeStamp(fresh.document()) == withoutTimeStamp(exported.str());
        std::cout << "imported; the fresh session now exports " << (same ? "the same settings" : "DIFFERENT settings") << "\n";
        if (!same) return kRefused;

        heading("4. Save, change, restore");
        status = Helvar_SaveAttributes(fresh.session.handle());
        if (status < 0) {
            reportFailure(std::cout, "Helvar_SaveAttributes", status, fresh.session.handle());
            return kRefused;
        }
        std::string problem;
        fresh.session.set("0/1250001=5", problem);
        fresh.session.set("1250012=Immediate", problem);
        std::cout << "saved, then changed the vertical range of channel 0 and the trigger source\n";
        const bool changed = withoutTimeStamp(fresh.document()) != withoutTimeStamp(exported.str());
        status = Helvar_RestoreAttributes(fresh.session.handle());
        if (status < 0) {
            reportFailure(std::cout, "Helvar_RestoreAttributes", status, fresh.session.handle());
            return kRefused;
        }
        const bool restored = withoutTimeStamp(fresh.document()) == withoutTimeStamp(exported.str());
        std::cout << "the change " << (changed ? "showed" : "did NOT show") << " in the export; after restore the settings are "
                  << (restored ? "the saved ones again" : "NOT the saved ones") << "\n";
        if (!changed || !restored) return kRefused;

        heading("5. A document for another model is refused");
        const std::string otherModel = std::regex_replace(exported.str(), std::regex("\"modelNumber\": -?[0-9]+"), "\"modelNumber\": 4711");
        const std::filesystem::path otherFile = folder / "other-model.json";
        writeText(otherFile, otherModel);
        status = Helvar_ImportAttributeConfigurationFile(fresh.session.handle(), otherFile.string().c_str());
        std::cout << "Helvar_ImportAttributeConfigurationFile(" << otherFile.string() << ") returned " << status << "\n";
        if (status >= 0) return kRefused;
        showDriverError(fresh.session.handle());

        heading("5b. The same refusal for a session whose language is Japanese");
        Attached japanese(options.resource, withDriverSetup(options.optionString, "Language:3"));
        if (!japanese.attach()) return kRefused;
        status = Helvar_ImportAttributeConfigurationFile(japanese.session.handle(), otherFile.string().c_str());
        std::cout << "Helvar_ImportAttributeConfigurationFile(" << otherFile.string() << ") returned " << status << "\n";
        if (status >= 0) return kRefused;
        reportFailure(std::cout, "import", status, japanese.session.handle());

        heading("6. A damaged document is refused");
        const std::string damaged = exported.str().substr(0, exported.str().size() / 2);
        status = Helvar_ImportAttributeConfigurationBuffer(fresh.session.handle(), static_cast<ViInt32>(damaged.size()), damaged.c_str());
        std::cout << "Helvar_ImportAttributeConfigurationBuffer(half a document) returned " << status << "\n";
        if (status >= 0) return kRefused;
        reportFailure(std::cout, "import", status, fresh.session.handle());

        heading("7. An operation on a session without Helvar");
        DriverSession bare(options.resource, options.sessionOptions());
        status = Helvar_SaveAttributes(bare.handle());
        reportFailure(std::cout, "Helvar_SaveAttributes", status, bare.handle());
        std::cout << "\nhelvar demo: all steps behaved as expected\n";
        return kOk;
    } catch (const std::exception& e) {
        std::cerr << "helvar demo: " << e.what() << "\n";
        return kEnvironment;
    }
}

}  // namespace helvartool
