#include "common/platform/KnownFolders.h"

#include "common/platform/Environment.h"

namespace platform {
namespace {

struct FolderSetting {
    int32_t folderId;
    const char* variable;
    const char* fallback;
};

// Where the Windows folders live on this platform.
constexpr FolderSetting kFolders[] = {
    {folder::kCommonAppData, "ORV_COMMON_APPDATA", "/var/lib"},
    {folder::kSystem, "ORV_SYSTEM_DIR", "/usr/lib"},
};
constexpr const char* kTempVariable = "TMPDIR";
constexpr const char* kTempFallback = "/tmp";

class PosixKnownFolders : public KnownFoldersInterface {
public:
    explicit PosixKnownFolders(const EnvironmentInterface& environment) : environment_(environment) {}

    int32_t shellFolder(int32_t folderId, std::string& path) const override {
        for (const FolderSetting& setting : kFolders) {
            if (setting.folderId == folderId) {
                path = valueOr(setting.variable, setting.fallback);
                return 0;
            }
        }
        return kInvalidArgumentResult;
    }

    std::string temporaryFolder() const override {
        std::string path = valueOr(kTempVariable, kTempFallback);
        if (path.back() != '/') path += '/';
        return path;
    }

private:
    // An unset or empty variable means the default.
    std::string valueOr(const char* variable, const char* fallback) const {
        std::optional<std::string> value = environment_.variable(variable);
        return value && !value->empty() ? *value : std::string(fallback);
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
