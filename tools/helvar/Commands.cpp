#include "Commands.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "DriverSession.h"
#include "Helvar.h"
#include "NameCheck.h"
#include "Report.h"
#include "common/platform/File.h"

namespace helvartool {
namespace {

// A driver session with Helvar attached for the length of one command.
class AttachedSession {
public:
    explicit AttachedSession(const Options& options) : session_(options.resource, options.sessionOptions()) {}
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
    const DriverSession& driver() const { return session_; }

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

// Documents of 2 GiB or more do not fit the buffer import's signed 32-bit size.
constexpr uint64_t kMaxDocumentBytes = uint64_t{1} << 31;

// Standard input whole; false with the reason when it cannot be read or is too large.
bool readStandardInput(std::string& text, std::string& reason) {
    std::FILE* in = stdin;
    // A file given as input tells its size at once; pipes are read up to the limit.
    if (std::fseek(in, 0, SEEK_END) == 0) {
        const long end = std::ftell(in);
        if (end >= 0 && static_cast<uint64_t>(end) >= kMaxDocumentBytes) {
            reason = "standard input is too large (2 GiB or more)";
            return false;
        }
        std::rewind(in);
    }
    std::clearerr(in);
    char chunk[65536];
    size_t count;
    while ((count = std::fread(chunk, 1, sizeof chunk, in)) > 0) {
        if (text.size() + count >= kMaxDocumentBytes) {
            reason = "standard input is too large (2 GiB or more)";
            return false;
        }
        text.append(chunk, count);
    }
    if (std::ferror(in)) {
        reason = std::string("cannot read standard input: ") + std::strerror(errno);
        return false;
    }
    return true;
}

// A file's text for a second look, "" when it cannot be read (a pipe or a folder is not waited on).
std::string fileText(const std::string& path) {
    platform::OsError error;
    const std::unique_ptr<platform::OpenFile> file =
        platform::fileSystem().open(path, platform::FileMode::ReadBinary, error);
    int64_t size = 0;
    if (!file || !file->size(size, error) || size <= 0 || static_cast<uint64_t>(size) >= kMaxDocumentBytes) return "";
    std::string text(static_cast<size_t>(size), '\0');
    size_t count = 0;
    file->read(text.data(), text.size(), count, error);  // what could be read is worth the look
    text.resize(count);
    return text;
}

// Imports a file, or standard input for "-" (its text kept in text); false after reporting input
// that cannot be taken.
bool importPath(ViSession vi, const std::string& path, ViStatus& status, std::string& text) {
    if (path != "-") {
        status = Helvar_ImportAttributeConfigurationFile(vi, path.c_str());
        return true;
    }
    std::string reason;
    if (!readStandardInput(text, reason)) {
        std::cerr << "helvar: " << reason << "\n";
        return false;
    }
    status = Helvar_ImportAttributeConfigurationBuffer(vi, static_cast<ViInt32>(text.size()), text.c_str());
    return true;
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
            // The file is the command's output.
            return status == HELVAR_ERROR_WRITING_FILE ? kOutputFailed : kRefused;
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
        ViStatus status = 0;
        std::string text;
        if (!importPath(session.vi(), options.positional[0], status, text)) return kRefused;
        if (status < 0) {
            reportFailure(std::cerr, "Helvar_ImportAttributeConfigurationFile", status, session.vi());
            byteOrderMarkHint(std::cerr, status, options.positional[0]);
            return kRefused;
        }
        const std::string document = session.document();
        if (document.empty()) return kRefused;
        std::cout << document;
        return kOk;
    });
}

int checkCommand(const Options& options) {
    if (const int usage = onePositional(options, "check")) return usage;
    return guarded([&] {
        // A scratch session with the same options takes the document; nothing else is touched.
        AttachedSession scratch(options);
        if (!scratch.prepare({})) return kRefused;
        ViStatus status = 0;
        std::string text;
        const std::string& path = options.positional[0];
        if (!importPath(scratch.vi(), path, status, text)) return kRefused;
        warnAboutNames(std::cout, path == "-" ? text : fileText(path), scratch.driver());
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
