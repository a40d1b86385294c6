// The explorer host's system services on Windows. Text crosses the system calls as UTF-16.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "HostPlatform.h"

namespace sysvistahost {
namespace {

std::wstring widen(const std::string& text) {
    if (text.empty()) return std::wstring();
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0) MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

std::string narrow(const std::wstring& wide) {
    if (wide.empty()) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<size_t>(length > 0 ? length : 0), '\0');
    if (length > 0) WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

std::string lastErrorText() {
    const DWORD code = GetLastError();
    wchar_t* buffer = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
        reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length ? narrow(std::wstring(buffer, length)) : "Windows error " + std::to_string(code);
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    return text;
}

}  // namespace

LoadedLibrary::LoadedLibrary(const std::string& path) {
    // A plug-in named with its folder finds its own dependencies beside it.
    handle_ = LoadLibraryExW(widen(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (handle_ == nullptr) error_ = path + ": " + lastErrorText();
}

LoadedLibrary::~LoadedLibrary() {
    if (handle_ != nullptr && !keep_) FreeLibrary(static_cast<HMODULE>(handle_));
}

void* LoadedLibrary::symbol(const char* name) const {
    return handle_ ? reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle_), name)) : nullptr;
}

std::string programFolder() {
    std::wstring path(MAX_PATH, L'\0');
    DWORD length;
    while ((length = GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()))) == path.size())
        path.resize(path.size() * 2);
    if (length == 0) return ".\\";
    path.resize(length);
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? ".\\" : narrow(path.substr(0, slash + 1));
}

// The DLLs lie beside the programs.
std::string libraryFolder() { return programFolder(); }

const char* const kPluginFileName = "Quorrel.dll";

// Both the system's and the run time's copies: the plug-in reads the system's, C code the other.
void setEnvironment(const char* name, const std::string& value) {
    SetEnvironmentVariableW(widen(name).c_str(), widen(value).c_str());
    _putenv_s(name, value.c_str());
}

const char* getEnvironment(const char* name) { return getenv(name); }

std::string writeTemporaryFile(const std::string& prefix, const std::string& text) {
    wchar_t folder[MAX_PATH + 1] = {};
    wchar_t name[MAX_PATH + 1] = {};
    if (GetTempPathW(MAX_PATH + 1, folder) == 0 || GetTempFileNameW(folder, widen(prefix).c_str(), 0, name) == 0)
        return "";
    HANDLE file = CreateFileW(name, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DeleteFileW(name);
        return "";
    }
    DWORD written = 0;
    const bool complete = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
                          written == text.size();
    CloseHandle(file);
    if (!complete) {
        DeleteFileW(name);
        return "";
    }
    return narrow(name);
}

void removeFile(const std::string& path) {
    if (!path.empty()) DeleteFileW(widen(path).c_str());
}

}  // namespace sysvistahost
