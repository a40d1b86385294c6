#pragma once
// Registry strings and named folders, reported in status-in/status-out style: each operation
// does nothing when handed a status that already holds an error.
#include <cstdint>
#include <string>

#include "common/orverr/Status.h"
#include "common/platform/KnownFolders.h"
#include "common/platform/Registry.h"

namespace orvsysq {

class SystemQueryInterface {
public:
    virtual ~SystemQueryInterface() = default;
    // A string value under the local-machine root, in the given view.
    virtual void readRegistryString(const std::string& subkey, const std::string& valueName,
                                    platform::RegistryView view, std::string& value, orverr::Status& status) const = 0;
    // A shell folder by id (35: common application data).
    virtual void shellFolder(int32_t folderId, std::string& path, orverr::Status& status) const = 0;
    // The temporary folder, ending with a separator.
    virtual void temporaryFolder(std::string& path, orverr::Status& status) const = 0;
};

class SystemQuery : public SystemQueryInterface {
public:
    // Both must outlive this object.
    SystemQuery(const platform::Registry& registry, const platform::KnownFoldersInterface& folders);

    void readRegistryString(const std::string& subkey, const std::string& valueName, platform::RegistryView view,
                            std::string& value, orverr::Status& status) const override;
    void shellFolder(int32_t folderId, std::string& path, orverr::Status& status) const override;
    void temporaryFolder(std::string& path, orverr::Status& status) const override;

private:
    const platform::Registry& registry_;
    const platform::KnownFoldersInterface& folders_;
};

}  // namespace orvsysq
