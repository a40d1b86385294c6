// The shell's folders (SHGetFolderPathW). The variables the Linux backend reads stay available as
// overrides, so that tests keep their files in folders of their own on both systems.
#include "common/platform/KnownFolders.h"

#include <shlobj.h>

#include "common/platform/Environment.h"
#include "common/platform/WideText.h"
#include "common/platform/win32/KnownFoldersSyscalls.h"

namespace platform {
namespace win32 {

KnownFoldersSyscalls realKnownFoldersSyscalls() { return KnownFoldersSyscalls{&::SHGetFolderPathW, &::GetTempPathW}; }

KnownFoldersSyscalls& knownFoldersSyscalls() {
    static KnownFoldersSyscalls table = realKnownFoldersSyscalls();
    return table;
}

namespace {

struct FolderSetting {
    int32_t folderId;
    const char* overrideVariable;
};

constexpr const char* kTempOverrideVariable = "TMPDIR";

constexpr FolderSetting kFolders[] = {
    {folder::kCommonAppData, "ORV_COMMON_APPDATA"},
    {folder::kSystem, "ORV_SYSTEM_DIR"},
};

// Always false, for `return fail(result, error)`.
bool fail(int32_t result, OsError& error) {
    error = OsError{result, {}, false};
    return false;
}

class Win32KnownFolders : public KnownFoldersInterface {
public:
    explicit Win32KnownFolders(const EnvironmentInterface& environment) : environment_(environment) {}

    bool shellFolder(int32_t folderId, std::string& path, OsError& error) const override {
        for (const FolderSetting& setting : kFolders) {
            if (setting.folderId != folderId) continue;
            std::optional<std::string> value = environment_.variable(setting.overrideVariable);
            if (value && !value->empty()) {
                path = *value;
                return true;
            }
            wchar_t buffer[MAX_PATH] = {};
            const HRESULT result =
                knownFoldersSyscalls().shGetFolderPath(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, buffer);
            if (FAILED(result)) return fail(static_cast<int32_t>(result), error);
            path = wideToUtf8(buffer);
            return true;
        }
        return fail(kInvalidArgumentResult, error);
    }

    // TMPDIR when set (as on Linux), else TMP, TEMP or the Windows folder, as the system chooses;
    // always ends with a separator.
    std::string temporaryFolder() const override {
        std::optional<std::string> value = environment_.variable(kTempOverrideVariable);
        if (value && !value->empty()) {
            if (value->back() != '\\' && value->back() != '/') *value += '\\';
            return *value;
        }
        wchar_t buffer[MAX_PATH + 1] = {};
        const DWORD length = knownFoldersSyscalls().getTempPath(MAX_PATH + 1, buffer);
        std::string path = length != 0 && length <= MAX_PATH ? wideToUtf8(buffer) : std::string(".\\");
        if (path.back() != '\\' && path.back() != '/') path += '\\';
        return path;
    }

private:
    const EnvironmentInterface& environment_;
};

}  // namespace
}  // namespace win32

std::unique_ptr<KnownFoldersInterface> makeKnownFolders(const EnvironmentInterface& environment) {
    return std::make_unique<win32::Win32KnownFolders>(environment);
}

const KnownFoldersInterface& knownFolders() {
    static std::unique_ptr<KnownFoldersInterface> instance = makeKnownFolders(environment());
    return *instance;
}

}  // namespace platform
