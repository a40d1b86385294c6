// The system registry, read through RegOpenKeyExW in the view asked for. A registry export file
// named by ORV_REGISTRY_FILE replaces it, so that tests and tools run against a registry of
// their own as they do on Linux.
#include "common/platform/Registry.h"

#include "common/platform/Environment.h"
#include "common/platform/File.h"
#include "common/platform/WideText.h"
#include "common/platform/posix/RegistryFile.h"
#include "common/platform/win32/RegistrySyscalls.h"
#include "common/platform/win32/SystemError.h"

namespace platform {
namespace win32 {

RegistrySyscalls realRegistrySyscalls() { return RegistrySyscalls{&::RegOpenKeyExW, &::RegQueryValueExW, &::RegCloseKey}; }

RegistrySyscalls& registrySyscalls() {
    static RegistrySyscalls table = realRegistrySyscalls();
    return table;
}

namespace {



constexpr const char* kRegistryFileVariable = "ORV_REGISTRY_FILE";

void setError(OsError& error, DWORD code) {
    error.code = code;
    error.message = systemErrorMessage(code);
}

class SystemRegistryKey : public RegistryKeyInterface {
public:
    explicit SystemRegistryKey(HKEY key) : key_(key) {}
    ~SystemRegistryKey() override { registrySyscalls().regCloseKey(key_); }
    SystemRegistryKey(const SystemRegistryKey&) = delete;
    SystemRegistryKey& operator=(const SystemRegistryKey&) = delete;

    // Values of other types are not strings, as with the export file: reported as absent.
    bool queryString(const std::string& valueName, std::string& value, OsError& error) const override {
        const std::wstring name = utf8ToWide(valueName);
        std::wstring data(128, L'\0');
        for (;;) {
            DWORD type = 0;
            DWORD bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
            const LSTATUS status = registrySyscalls().regQueryValueEx(key_, name.c_str(), nullptr, &type,
                                                                      reinterpret_cast<LPBYTE>(&data[0]), &bytes);
            if (status == ERROR_MORE_DATA) {
                data.resize(bytes / sizeof(wchar_t) + 1);
                continue;
            }
            if (status != ERROR_SUCCESS) {
                setError(error, static_cast<DWORD>(status));
                return false;
            }
            if (type != REG_SZ && type != REG_EXPAND_SZ) {
                setError(error, ERROR_FILE_NOT_FOUND);
                return false;
            }
            data.resize(bytes / sizeof(wchar_t));
            while (!data.empty() && data.back() == L'\0') data.pop_back();  // stored with or without it
            value = wideToUtf8(data);
            return true;
        }
    }

private:
    HKEY key_;
};

}  // namespace
}  // namespace win32

using namespace win32;

std::unique_ptr<RegistryKeyInterface> Registry::openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                                    OsError& error) const {
    std::optional<std::string> file = environment_.variable(kRegistryFileVariable);
    if (file && !file->empty()) return posix::openRegistryFileKey(*file, subkey, view, error);
    const REGSAM access = KEY_READ | (view == RegistryView::Registry32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY);
    HKEY key = nullptr;
    const LSTATUS status =
        registrySyscalls().regOpenKeyEx(HKEY_LOCAL_MACHINE, utf8ToWide(subkey).c_str(), 0, access, &key);
    if (status != ERROR_SUCCESS) {
        setError(error, static_cast<DWORD>(status));
        return nullptr;
    }
    return std::make_unique<SystemRegistryKey>(key);
}

const Registry& registry() {
    static const Registry instance(environment());
    return instance;
}

}  // namespace platform
