#include "common/platform/Registry.h"

#include <cerrno>
#include <cstdint>

#include "common/platform/Environment.h"
#include "common/platform/File.h"
#include "common/platform/posix/RegistryFile.h"

namespace platform {
namespace {

constexpr const char* kRegistryFileVariable = "ORV_REGISTRY_FILE";
constexpr const char* kRegistryFileFallback = "/etc/orvane/registry.reg";
// A registry hive file of the standard format stays well below this.
constexpr uint64_t kMaxRegistryFileBytes = uint64_t{256} << 20;

// The Windows errors this registry reports, with the system's message texts.
struct Win32Error {
    int32_t code;
    const char* message;
};
constexpr Win32Error kFileNotFound{2, "The system cannot find the file specified."};
constexpr Win32Error kAccessDenied{5, "Access is denied."};

void setError(OsError& error, const Win32Error& win32) {
    error.code = win32.code;
    error.message = win32.message;
    error.missing = false;
}

class FileRegistryKey : public RegistryKeyInterface {
public:
    FileRegistryKey(std::shared_ptr<const posix::RegistryFile> file, std::string key)
        : file_(std::move(file)), key_(std::move(key)) {}

    bool queryString(const std::string& valueName, std::string& value, OsError& error) const override {
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

class FileRegistry : public RegistryInterface {
public:
    explicit FileRegistry(const EnvironmentInterface& environment) : environment_(environment) {}

    std::unique_ptr<RegistryKeyInterface> openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                              OsError& error) const override {
        std::shared_ptr<const posix::RegistryFile> file;
        if (!load(file, error)) return nullptr;
        const std::string key = view == RegistryView::Registry32 ? posix::registry32Path(subkey) : subkey;
        if (!file->hasKey(key)) {
            setError(error, kFileNotFound);
            return nullptr;
        }
        return std::make_unique<FileRegistryKey>(std::move(file), key);
    }

private:
    // Read on every open, so that a changed file is seen as a changed registry would be.
    bool load(std::shared_ptr<const posix::RegistryFile>& file, OsError& error) const {
        std::optional<std::string> path = environment_.variable(kRegistryFileVariable);
        if (!path || path->empty()) path = kRegistryFileFallback;
        OsError reason;
        std::unique_ptr<OpenFileInterface> stream = fileSystem().open(*path, FileMode::ReadBinary, reason);
        if (!stream) {
            // A missing file is an empty registry; one that exists but cannot be read (or is a
            // folder, a pipe or a device, refused without waiting on it) is refused.
            if (reason.missing || reason.code == ENOTDIR) {
                file = std::make_shared<posix::RegistryFile>();
                return true;
            }
            setError(error, kAccessDenied);
            return false;
        }
        const int64_t size = stream->size();
        if (size < 0 || static_cast<uint64_t>(size) > kMaxRegistryFileBytes) {
            setError(error, kAccessDenied);
            return false;
        }
        std::string text(static_cast<size_t>(size), '\0');
        if (stream->read(text.data(), text.size()) != text.size() || stream->failed()) {
            setError(error, kAccessDenied);
            return false;
        }
        file = std::make_shared<posix::RegistryFile>(posix::RegistryFile::parse(text));
        return true;
    }

    const EnvironmentInterface& environment_;
};

}  // namespace

std::unique_ptr<RegistryInterface> makeRegistry(const EnvironmentInterface& environment) {
    return std::make_unique<FileRegistry>(environment);
}

const RegistryInterface& registry() {
    static std::unique_ptr<RegistryInterface> instance = makeRegistry(environment());
    return *instance;
}

}  // namespace platform
