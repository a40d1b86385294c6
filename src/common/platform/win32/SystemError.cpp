#include "common/platform/win32/SystemError.h"

#include <windows.h>

#include "common/platform/WideText.h"

namespace platform::win32 {

std::string systemErrorMessage(uint32_t code) {
    wchar_t* buffer = nullptr;
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code,
        0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::string text = length != 0 && buffer != nullptr ? wideToUtf8(std::wstring(buffer, length)) : std::string();
    if (buffer != nullptr) ::LocalFree(buffer);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) text.pop_back();
    return text.empty() ? "Windows error " + std::to_string(code) : text;
}

}  // namespace platform::win32

namespace platform::win32 {

bool failWith(uint32_t code, OsError& error) {
    error.code = static_cast<int32_t>(code);
    error.message = systemErrorMessage(code);
    error.missing = code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND;
    return false;
}

}  // namespace platform::win32
