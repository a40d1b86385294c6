#include "common/platform/Environment.h"

#include <windows.h>

#include "common/platform/WideText.h"

namespace platform {
namespace {

// Read through the system rather than the C run time, whose copy misses later changes made
// with SetEnvironmentVariableW by other modules.
class ProcessEnvironment : public EnvironmentInterface {
public:
    std::optional<std::string> variable(const char* name) const override {
        const std::wstring wideName = utf8ToWide(name);
        std::wstring value(64, L'\0');
        for (;;) {
            ::SetLastError(ERROR_SUCCESS);
            const DWORD length = ::GetEnvironmentVariableW(wideName.c_str(), &value[0], static_cast<DWORD>(value.size()));
            if (length == 0) {
                if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
                return std::string();
            }
            if (length < value.size()) {
                value.resize(length);
                return wideToUtf8(value);
            }
            value.resize(length);  // the size needed, with its terminator
        }
    }
};

}  // namespace

const EnvironmentInterface& environment() {
    static ProcessEnvironment instance;
    return instance;
}

}  // namespace platform
