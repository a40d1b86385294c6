// The Windows half of the test support: environment, folders, processes and refused loads.
#include "support/Portable.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "common/platform/WideText.h"
#include "common/platform/win32/DynamicLibrarySyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace testsupport {

const char* const kSystemLibrary = "kernel32.dll";
const char* const kSystemFunction = "GetProcAddress";
const char* const kNullDevice = "NUL";

std::string libraryFolder(const std::string& out) { return out + "/bin"; }

void setEnvironment(const char* name, const std::string& value) {
    // The run time's copy (getenv) and the system's (read by the platform layer), in this order:
    // the run time passes its copy on to the system's, read in the ANSI code page, and an empty
    // value removes the variable from both.
    ::_putenv_s(name, value.c_str());
    ::SetEnvironmentVariableW(platform::utf8ToWide(name).c_str(), platform::utf8ToWide(value).c_str());
}

void unsetEnvironment(const char* name) {
    ::SetEnvironmentVariableW(platform::utf8ToWide(name).c_str(), nullptr);
    ::_putenv_s(name, "");
}

bool runningUnderWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string systemMessage(int code) { return platform::win32::systemErrorMessage(static_cast<uint32_t>(code)); }

std::string missingFileReason(bool folderMissing) {
    return systemMessage(folderMissing ? ERROR_PATH_NOT_FOUND : ERROR_FILE_NOT_FOUND);
}

std::string makeTemporaryFolder(const std::string& prefix) {
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    if (error) return std::string();
    const std::string unique = std::to_string(::GetCurrentProcessId()) + "-" + std::to_string(::GetTickCount64());
    for (unsigned attempt = 0; attempt < 1000; ++attempt) {
        const std::filesystem::path candidate = temp / (prefix + unique + "-" + std::to_string(attempt));
        if (std::filesystem::create_directory(candidate, error)) return candidate.generic_string();
    }
    return std::string();
}

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

ChildProcess::~ChildProcess() { wait(); }

bool ChildProcess::started() const { return running_ != nullptr; }

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

// In double quotes with escaped inner quotes, for the run time's command-line parsing.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
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

namespace {
std::string refusedFragment;
}  // namespace

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

}  // namespace testsupport
