// The POSIX half of the test support: environment, folders, processes and refused loads.
#include "support/Portable.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "common/platform/posix/DynamicLibrarySyscalls.h"

extern char** environ;

namespace testsupport {

const char* const kSystemLibrary = "libm.so.6";
const char* const kSystemFunction = "cos";
const char* const kNullDevice = "/dev/null";

std::string libraryFolder(const std::string& out) { return out + "/lib"; }

void setEnvironment(const char* name, const std::string& value) { ::setenv(name, value.c_str(), 1); }

void unsetEnvironment(const char* name) { ::unsetenv(name); }

bool runningUnderWine() { return false; }

std::string systemMessage(int code) { return std::strerror(code); }

std::string missingFileReason(bool) { return systemMessage(ENOENT); }

std::string makeTemporaryFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
    std::string pattern = (temp / (prefix + "XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
}

struct ChildProcess::Running {
    pid_t pid = -1;
};

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    std::vector<std::string> copies{program};
    copies.insert(copies.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : copies) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    if (::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv.data(), environ) == 0)
        running_ = std::make_unique<Running>(Running{pid});
}

ChildProcess::~ChildProcess() { wait(); }

bool ChildProcess::started() const { return running_ != nullptr; }

int ChildProcess::wait() {
    if (!running_) return code_;
    int status = 0;
    if (::waitpid(running_->pid, &status, 0) == running_->pid)
        code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    running_.reset();
    return code_;
}

// In single quotes for a POSIX shell.
std::string shellQuoted(const std::string& text) { return "'" + text + "'"; }

std::string runCommand(const std::string& command, int& exitCode) {
    exitCode = -1;
    std::string output;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    const int status = ::pclose(pipe);
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return output;
}

namespace {
std::string refusedFragment;
}  // namespace

RefusedLoads::RefusedLoads(const std::string& fragment) {
    refusedFragment = fragment;
    platform::posix::dynamicLibrarySyscalls().dlopen = [](const char* file, int mode) -> void* {
        if (std::strstr(file, refusedFragment.c_str()) != nullptr) return nullptr;
        return platform::posix::realDynamicLibrarySyscalls().dlopen(file, mode);
    };
}

RefusedLoads::~RefusedLoads() { platform::posix::dynamicLibrarySyscalls() = platform::posix::realDynamicLibrarySyscalls(); }

}  // namespace testsupport
