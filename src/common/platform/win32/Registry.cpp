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

constexpr uint64_t kMaxRegistryFileBytes = uint64_t{256} << 20;


constexpr const char* kRegistryFileVariable = "ORV_REGISTRY_FILE";

void setError(RegistryError& error, DWORD code) {
    error.code = code;
    error.message = systemErrorMessage(code);
}

// The export file answers with the texts the Linux backend gives, whatever the system's language.
struct FileError {
    DWORD code;
    const char* message;
};
constexpr FileError kFileNotFound{ERROR_FILE_NOT_FOUND, "The system cannot find the file specified."};
constexpr FileError kAccessDenied{ERROR_ACCESS_DENIED, "Access is denied."};

void setError(RegistryError& error, const FileError& file) {
    error.code = file.code;
    error.message = file.message;
}

class SystemRegistryKey : public RegistryKeyInterface {
public:
    explicit SystemRegistryKey(HKEY key) : key_(key) {}
    ~SystemRegistryKey() override { registrySyscalls().regCloseKey(key_); }
    SystemRegistryKey(const SystemRegistryKey&) = delete;
    SystemRegistryKey& operator=(const SystemRegistryKey&) = delete;

    // Values of other types are not strings, as with the export file: reported as absent.
    bool queryString(const std::string& valueName, std::string& value, RegistryError& error) const override {
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

class FileRegistryKey : public RegistryKeyInterface {
public:
    FileRegistryKey(std::shared_ptr<const posix::RegistryFile> file, std::string key)
        : file_(std::move(file)), key_(std::move(key)) {}

    bool queryString(const std::string& valueName, std::string& value, RegistryError& error) const override {
        const std::string* data = file_->value(key_, valueName);
        if (data == nullptr) {
            setError(error, kFileNotFound);
            return false;
        }
        value = *data;
        return true;
    }

private:
    std::shared_ptr<const posix::RegistryFile> file_;
    std::string key_;
};

class Win32Registry : public RegistryInterface {
public:
    explicit Win32Registry(const EnvironmentInterface& environment) : environment_(environment) {}

    std::unique_ptr<RegistryKeyInterface> openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                              RegistryError& error) const override {
        std::optional<std::string> file = environment_.variable(kRegistryFileVariable);
        if (file && !file->empty()) return openInFile(*file, subkey, view, error);
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

private:
    // Read on every open, so that a changed file is seen as a changed registry would be. A missing
    // file is an empty registry; one that exists but cannot be read is refused.
    static std::unique_ptr<RegistryKeyInterface> openInFile(const std::string& path, const std::string& subkey,
                                                            RegistryView view, RegistryError& error) {
        auto file = std::make_shared<posix::RegistryFile>();
        OsError reason;
        std::unique_ptr<OpenFileInterface> stream = fileSystem().open(path, FileMode::ReadBinary, reason);
        if (stream) {
            const int64_t size = stream->size();
            // The same bound as the Linux side: a larger file is not a registry.
            if (size < 0 || static_cast<uint64_t>(size) > kMaxRegistryFileBytes) {
                setError(error, kAccessDenied);
                return nullptr;
            }
            std::string text(static_cast<size_t>(size), '\0');
            if (stream->read(&text[0], text.size()) != text.size() || stream->failed()) {
                setError(error, kAccessDenied);
                return nullptr;
            }
            *file = posix::RegistryFile::parse(text);
        } else if (!reason.missing) {
            setError(error, kAccessDenied);
            return nullptr;
        }
        const std::string key = view == RegistryView::Registry32 ? posix::registry32Path(subkey) : subkey;
        if (!file->hasKey(key)) {
            setError(error, kFileNotFound);
            return nullptr;
        }
        return std::make_unique<FileRegistryKey>(std::move(file), key);
    }

    const EnvironmentInterface& environment_;
};

}  // namespace
}  // namespace win32

std::unique_ptr<RegistryInterface> makeRegistry(const EnvironmentInterface& environment) {
    return std::make_unique<win32::Win32Registry>(environment);
}

const RegistryInterface& registry() {
    static std::unique_ptr<RegistryInterface> instance = makeRegistry(environment());
    return *instance;
}

}  // namespace platform
