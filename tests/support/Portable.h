#pragma once
// The few system services tests and test tools need, on Linux and on Windows alike (one source
// per system under posix/ and win32/ for what differs).
#include <memory>
#include <string>
#include <vector>

namespace testsupport {

// The file name of a library the build makes, from its base name ("ivi" -> libivi.so, ivi.dll).
std::string libraryFile(const std::string& base);

// A library every process of the system can load, and a function it exports.
extern const char* const kSystemLibrary;
extern const char* const kSystemFunction;

// Where the build puts its shared libraries below its output folder.
std::string libraryFolder(const std::string& out);

// Sets a variable for this process and the processes it starts.
void setEnvironment(const char* name, const std::string& value);
// Removes a variable from this process and the processes it starts.
void unsetEnvironment(const char* name);

// A new, empty folder in the temporary folder; "" when none can be made.
std::string makeTemporaryFolder(const std::string& prefix);

// A folder made by makeTemporaryFolder, removed with all it holds when it goes.
class TemporaryFolder {
public:
    explicit TemporaryFolder(const std::string& prefix) : path_(makeTemporaryFolder(prefix)) {}
    ~TemporaryFolder();
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::string& path() const { return path_; }

private:
    std::string path_;
};

// A file's whole content ("" when it cannot be read), and a file made to hold exactly text.
std::string readFile(const std::string& path);
void writeFile(const std::string& path, const std::string& text);

// A started program; wait() gives its exit code (-1 when it cannot be told). The destructor waits.
class ChildProcess {
public:
    ChildProcess(const std::string& program, const std::vector<std::string>& args);
    ~ChildProcess();
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const;
    int wait();

private:
    struct Running;
    std::unique_ptr<Running> running_;
    int code_ = -1;
};

// While it lives, the platform layer fails to load every library whose file name contains
// fragment (as if the file were missing); other loads go through.
class RefusedLoads {
public:
    explicit RefusedLoads(const std::string& fragment);
    ~RefusedLoads();
    RefusedLoads(const RefusedLoads&) = delete;
    RefusedLoads& operator=(const RefusedLoads&) = delete;
};

// True when the Windows build runs under wine rather than Windows (false on Linux).
bool runningUnderWine();

// The system's text for an error number of the platform layer's numbering (errno; GetLastError on
// Windows).
std::string systemMessage(int code);

// The system's text for a file (or, with folderMissing, the folder of a file) that does not exist.
std::string missingFileReason(bool folderMissing = false);

// The system's null device, and one argument quoted as the system's shell passes it on, for
// runCommand.
extern const char* const kNullDevice;
std::string shellQuoted(const std::string& text);

// Runs a command through the system's shell; its standard output, and its exit code in exitCode.
std::string runCommand(const std::string& command, int& exitCode);

}  // namespace testsupport
