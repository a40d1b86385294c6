#include "Commands.h"

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "DriverSession.h"
#include "Helvar.h"
#include "Report.h"

namespace helvartool {
namespace {

// A driver session with Helvar attached for the length of one command.
class AttachedSession {
public:
    explicit AttachedSession(const Options& options) : session_(options.optionString) {}
    ~AttachedSession() {
        if (attached_) Helvar_Close(session_.handle());
    }
    AttachedSession(const AttachedSession&) = delete;
    AttachedSession& operator=(const AttachedSession&) = delete;

    // Sets the --set values as the user, then attaches Helvar.
    bool prepare(const std::vector<std::string>& assignments) {
        if (!applyAssignments(assignments)) return false;
        const ViStatus status = Helvar_Initialize(session_.handle());
        if (status < 0) {
            reportFailure(std::cerr, "Helvar_Initialize", status, 0);
            return false;
        }
        attached_ = true;
        return true;
    }

    bool applyAssignments(const std::vector<std::string>& assignments) {
        for (const std::string& assignment : assignments) {
            std::string problem;
            const ViStatus status = session_.set(assignment, problem);
            if (status < 0) {
                std::cerr << "cannot set " << assignment << ": " << (problem.empty() ? "the driver refused it" : problem) << " (status "
                          << status << ")\n";
                return false;
            }
        }
        return true;
    }

    ViSession vi() const { return session_.handle(); }

    // The session's document, or "" after reporting a failure.
    std::string document() {
        const ViStatus needed = Helvar_ExportAttributeConfigurationBuffer(vi(), 0, nullptr);
        if (needed < 0) {
            reportFailure(std::cerr, "Helvar_ExportAttributeConfigurationBuffer", needed, vi());
            return "";
        }
        std::string text(static_cast<size_t>(needed), '\0');
        const ViStatus status = Helvar_ExportAttributeConfigurationBuffer(vi(), needed, text.data());
        if (status < 0) {
            reportFailure(std::cerr, "Helvar_ExportAttributeConfigurationBuffer", status, vi());
            return "";
        }
        text.resize(text.size() - 1);
        return text;
    }

private:
    DriverSession session_;
    bool attached_ = false;
};

// Imports a file, or standard input for "-".
ViStatus importPath(ViSession vi, const std::string& path) {
    if (path != "-") return Helvar_ImportAttributeConfigurationFile(vi, path.c_str());
    std::ostringstream content;
    content << std::cin.rdbuf();
    const std::string text = content.str();
    return Helvar_ImportAttributeConfigurationBuffer(vi, static_cast<ViInt32>(text.size()), text.c_str());
}

template <typename Work>
int guarded(Work work) {
    try {
        return work();
    } catch (const std::exception& e) {
        std::cerr << "helvar: " << e.what() << "\n";
        return kEnvironment;
    }
}

int onePositional(const Options& options, const char* command) {
    if (options.positional.size() != 1) {
        std::cerr << "helvar " << command << ": expected one FILE argument (see helvar " << command << " --help)\n";
        return kUsage;
    }
    return kOk;
}

}  // namespace

int exportCommand(const Options& options) {
    if (const int usage = onePositional(options, "export")) return usage;
    return guarded([&] {
        AttachedSession session(options);
        if (!session.prepare(options.assignments)) return kRefused;
        const std::string& path = options.positional[0];
        if (path == "-") {
            const std::string text = session.document();
            if (text.empty()) return kRefused;
            std::cout << text;
            return kOk;
        }
        const ViStatus status = Helvar_ExportAttributeConfigurationFile(session.vi(), path.c_str());
        if (status < 0) {
            reportFailure(std::cerr, "Helvar_ExportAttributeConfigurationFile", status, session.vi());
            return kRefused;
        }
        std::cout << "exported to " << path << "\n";
        return kOk;
    });
}

int applyCommand(const Options& options) {
    if (const int usage = onePositional(options, "apply")) return usage;
    return guarded([&] {
        AttachedSession session(options);
        if (!session.prepare({})) return kRefused;
        const ViStatus status = importPath(session.vi(), options.positional[0]);
        if (status < 0) {
            reportFailure(std::cerr, "Helvar_ImportAttributeConfigurationFile", status, session.vi());
            byteOrderMarkHint(std::cerr, status, options.positional[0]);
            return kRefused;
        }
        const std::string text = session.document();
        if (text.empty()) return kRefused;
        std::cout << text;
        return kOk;
    });
}

int checkCommand(const Options& options) {
    if (const int usage = onePositional(options, "check")) return usage;
    return guarded([&] {
        // A scratch session with the same options takes the document; nothing else is touched.
        AttachedSession scratch(options);
        if (!scratch.prepare({})) return kRefused;
        const ViStatus status = importPath(scratch.vi(), options.positional[0]);
        if (status < 0) {
            reportFailure(std::cout, "check", status, scratch.vi());
            byteOrderMarkHint(std::cout, status, options.positional[0]);
            return kRefused;
        }
        std::cout << options.positional[0] << ": accepted\n";
        return kOk;
    });
}

int saveRestoreCommand(const Options& options) {
    return guarded([&] {
        AttachedSession session(options);
        if (!session.prepare(options.assignments)) return kRefused;
        const std::string before = session.document();
        if (ViStatus status = Helvar_SaveAttributes(session.vi()); status < 0) {
            reportFailure(std::cerr, "Helvar_SaveAttributes", status, session.vi());
            return kRefused;
        }
        if (!session.applyAssignments(options.changes)) return kRefused;
        const std::string changed = session.document();
        if (ViStatus status = Helvar_RestoreAttributes(session.vi()); status < 0) {
            reportFailure(std::cerr, "Helvar_RestoreAttributes", status, session.vi());
            return kRefused;
        }
        const std::string after = session.document();
        std::cout << "saved:\n" << before << "\nafter changes:\n" << changed << "\nrestored:\n" << after << "\n";
        return kOk;
    });
}

}  // namespace helvartool
