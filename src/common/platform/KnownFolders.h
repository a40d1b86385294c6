#pragma once
// The system's named folders (shell folder ids as on Windows) and the temporary folder.
#include <cstdint>
#include <memory>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

class EnvironmentInterface;

namespace folder {
inline constexpr int32_t kCommonAppData = 35;  // CSIDL_COMMON_APPDATA
inline constexpr int32_t kSystem = 37;         // CSIDL_SYSTEM
}  // namespace folder

// The result of a shell-folder query for an id this platform does not know.
inline constexpr int32_t kInvalidArgumentResult = static_cast<int32_t>(0x80070057u);  // E_INVALIDARG

class KnownFoldersInterface {
public:
    virtual ~KnownFoldersInterface() = default;
    // The folder's UTF-8 path; false (path untouched) with the query's negative HRESULT as
    // error.code and no message.
    virtual bool shellFolder(int32_t folderId, std::string& path, OsError& error) const = 0;
    // The temporary folder, ending with a separator as the system gives it.
    virtual std::string temporaryFolder() const = 0;
};

// The folders of this platform, read from the given environment (which must outlive them).
std::unique_ptr<KnownFoldersInterface> makeKnownFolders(const EnvironmentInterface& environment);

// The process's folders, from the process environment.
const KnownFoldersInterface& knownFolders();

}  // namespace platform
