// Thread descriptions (Windows 10 1607 and later), looked up at run time so that older systems
// only lose the names.
#include "common/platform/ThreadName.h"

#include <windows.h>

#include "common/platform/WideText.h"

namespace platform {
namespace {

using SetDescription = HRESULT(WINAPI*)(HANDLE, PCWSTR);
using GetDescription = HRESULT(WINAPI*)(HANDLE, PWSTR*);

FARPROC kernelFunction(const char* name) {
    HMODULE kernel = ::GetModuleHandleW(L"kernel32.dll");
    return kernel != nullptr ? ::GetProcAddress(kernel, name) : nullptr;
}

}  // namespace

void setCurrentThreadName(const std::string& name) {
    auto set = reinterpret_cast<SetDescription>(reinterpret_cast<void*>(kernelFunction("SetThreadDescription")));
    if (set != nullptr) set(::GetCurrentThread(), utf8ToWide(name).c_str());
}

std::string currentThreadName() {
    auto get = reinterpret_cast<GetDescription>(reinterpret_cast<void*>(kernelFunction("GetThreadDescription")));
    PWSTR description = nullptr;
    if (get == nullptr || FAILED(get(::GetCurrentThread(), &description)) || description == nullptr) return std::string();
    std::string name = wideToUtf8(description);
    ::LocalFree(description);
    return name;
}

}  // namespace platform
