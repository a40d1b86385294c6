#include "common/platform/KnownFolders.h"

#include "common/platform/Environment.h"
#include "common/platform/Installation.h"

namespace platform {
namespace {

// The folder an installation with the given prefix has for a Windows folder.
std::string commonAppDataOf(const std::string& prefix) { return installationStateFolder(prefix) + "/lib"; }
std::string systemFolderOf(const std::string& prefix) {
    return installationLibraryFolder(prefix, installationLayout());
}

struct FolderSetting {
    int32_t folderId;
    const char* variable;
    std::string (*ofInstallation)(const std::string& prefix);
    const char* fallback;  // outside an installation
};

// Where the Windows folders live on this platform: below the installation that holds this code.
const FolderSetting kFolders[] = {
    {folder::kCommonAppData, "ORV_COMMON_APPDATA", &commonAppDataOf, "/var/lib"},
    {folder::kSystem, "ORV_SYSTEM_DIR", &systemFolderOf, "/usr/lib"},
};
constexpr const char* kTempVariable = "TMPDIR";
constexpr const char* kTempFallback = "/tmp";

class PosixKnownFolders : public KnownFoldersInterface {
public:
    explicit PosixKnownFolders(const EnvironmentInterface& environment) : environment_(environment) {}

    bool shellFolder(int32_t folderId, std::string& path, OsError& error) const override {
        for (const FolderSetting& setting : kFolders) {
            if (setting.folderId == folderId) {
                const std::string& prefix = ownInstallationPrefix();
                path = valueOr(setting.variable,
                               prefix.empty() ? std::string(setting.fallback) : setting.ofInstallation(prefix));
                return true;
            }
        }
        error = OsError{kInvalidArgumentResult, {}, false};
        return false;
    }

    std::string temporaryFolder() const override {
        std::string path = valueOr(kTempVariable, kTempFallback);
        if (path.back() != '/') path += '/';
        return path;
    }

private:
    // An unset or empty variable means the default.
    std::string valueOr(const char* variable, const std::string& fallback) const {
        std::optional<std::string> value = environment_.variable(variable);
        return value && !value->empty() ? *value : fallback;
    }

    const EnvironmentInterface& environment_;
};

}  // namespace

std::unique_ptr<KnownFoldersInterface> makeKnownFolders(const EnvironmentInterface& environment) {
    return std::make_unique<PosixKnownFolders>(environment);
}

const KnownFoldersInterface& knownFolders() {
    static std::unique_ptr<KnownFoldersInterface> instance = makeKnownFolders(environment());
    return *instance;
}

}  // namespace platform
