#include "support/Portable.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#if defined(_WIN32)
#include <windows.h>

#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/SystemError.h"
#else
#include <cstring>

#include "common/platform/posix/DynamicLibrarySyscalls.h"
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

#include "common/platform/DynamicLibrary.h"
#include "common/platform/WideText.h"

namespace testsupport {

std::string libraryFile(const std::string& base) { return platform::nativeLibraryName(base + ".dll"); }

std::string libraryFolder(const std::string& out) {
#if defined(_WIN32)
    return out + "/bin";
#else
    return out + "/lib";
#endif
}

void setEnvironment(const char* name, const std::string& value) {
#if defined(_WIN32)
    // The system's copy (read by the platform layer) and the run time's (getenv).
    ::SetEnvironmentVariableW(platform::utf8ToWide(name).c_str(), platform::utf8ToWide(value).c_str());
    ::_putenv_s(name, value.c_str());
#else
    ::setenv(name, value.c_str(), 1);
#endif
}

bool runningUnderWine() {
#if defined(_WIN32)
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
#else
    return false;
#endif
}

std::string systemMessage(int code) {
#if defined(_WIN32)
    return platform::win32::systemErrorMessage(static_cast<uint32_t>(code));
#else
    return std::strerror(code);
#endif
}

std::string missingFileReason(bool folderMissing) {
#if defined(_WIN32)
    return systemMessage(folderMissing ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
#else
    (void)folderMissing;
    return systemMessage(ENOENT);
#endif
}

void unsetEnvironment(const char* name) {
#if defined(_WIN32)
    ::SetEnvironmentVariableW(platform::utf8ToWide(name).c_str(), nullptr);
    ::_putenv_s(name, "");
#else
    ::unsetenv(name);
#endif
}

std::string makeTemporaryFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
#if defined(_WIN32)
    const std::string unique = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount64());
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate = temp / (prefix + unique + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate, error)) return candidate.generic_string();
    }
    return std::string();
#else
    std::string pattern = (temp / (prefix + "XXXXXX")).string();
    return ::mkdtemp(pattern.data()) ? pattern : std::string();
#endif
}

TemporaryFolder::~TemporaryFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(std::filesystem::u8path(path_), ignored);
}

std::string readFile(const std::string& path) {
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void writeFile(const std::string& path, const std::string& text) {
    std::ofstream(std::filesystem::u8path(path), std::ios::binary | std::ios::trunc) << text;
}

#if defined(_WIN32)
struct ChildProcess::Running {
    HANDLE process = nullptr;
};

namespace {
// Quoted as the run time's command-line parser reads it back.
std::wstring quote(const std::string& text) {
    const std::wstring wide = platform::utf8ToWide(text);
    std::wstring quoted = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : wide) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, L'\\');
    return quoted + L"\"";
}
}  // namespace

ChildProcess::ChildProcess(const std::string& program, const std::vector<std::string>& args) {
    std::wstring command = quote(program);
    for (const std::string& arg : args) command += L" " + quote(arg);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
        ::CloseHandle(info.hThread);
        running_ = std::make_unique<Running>(Running{info.hProcess});
    }
}

int ChildProcess::wait() {
    if (!running_) return code_;
    DWORD code = 0;
    if (::WaitForSingleObject(running_->process, INFINITE) == WAIT_OBJECT_0 &&
        ::GetExitCodeProcess(running_->process, &code))
        code_ = static_cast<int>(code);
    ::CloseHandle(running_->process);
    running_.reset();
    return code_;
}

std::string runCommand(const std::string& command, int& exitCode) {
    exitCode = -1;
    std::string output;
    // cmd /c drops the first and the last quote of a line that holds more than two: one more pair
    // keeps the command's own quoting.
    FILE* pipe = ::_popen(("\"" + command + "\"").c_str(), "rb");
    if (pipe == nullptr) return output;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, got);
    exitCode = ::_pclose(pipe);
    // Programs write text lines with CR LF here; the tests compare lines as on Linux.
    std::string lines;
    for (size_t i = 0; i < output.size(); ++i)
        if (!(output[i] == '\r' && i + 1 < output.size() && output[i + 1] == '\n')) lines += output[i];
    return lines;
}
#else
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

int ChildProcess::wait() {
    if (!running_) return code_;
    int status = 0;
    if (::waitpid(running_->pid, &status, 0) == running_->pid)
        code_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    running_.reset();
    return code_;
}

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
#endif

namespace {
std::string refusedFragment;
}  // namespace

#if defined(_WIN32)
RefusedLoads::RefusedLoads(const std::string& fragment) {
    refusedFragment = fragment;
    platform::win32::dynamicLibrarySyscalls().loadLibraryEx = [](LPCWSTR file, HANDLE reserved, DWORD flags) -> HMODULE {
        if (platform::wideToUtf8(file).find(refusedFragment) != std::string::npos) {
            ::SetLastError(ERROR_MOD_NOT_FOUND);
            return nullptr;
        }
        return platform::win32::realDynamicLibrarySyscalls().loadLibraryEx(file, reserved, flags);
    };
}

RefusedLoads::~RefusedLoads() { platform::win32::dynamicLibrarySyscalls() = platform::win32::realDynamicLibrarySyscalls(); }
#else
RefusedLoads::RefusedLoads(const std::string& fragment) {
    refusedFragment = fragment;
    platform::posix::dynamicLibrarySyscalls().dlopen = [](const char* file, int mode) -> void* {
        if (std::strstr(file, refusedFragment.c_str()) != nullptr) return nullptr;
        return platform::posix::realDynamicLibrarySyscalls().dlopen(file, mode);
    };
}

RefusedLoads::~RefusedLoads() { platform::posix::dynamicLibrarySyscalls() = platform::posix::realDynamicLibrarySyscalls(); }
#endif

ChildProcess::~ChildProcess() { wait(); }

bool ChildProcess::started() const { return running_ != nullptr; }

}  // namespace testsupport
