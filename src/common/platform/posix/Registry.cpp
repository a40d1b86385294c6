#include "common/platform/Registry.h"

#include "common/platform/Environment.h"
#include "common/platform/Installation.h"
#include "common/platform/posix/RegistryFile.h"

#include <optional>

namespace platform {
namespace {

constexpr const char* kRegistryFileVariable = "ORV_REGISTRY_FILE";
constexpr const char* kRegistryFileInConfigFolder = "/orvane/registry.reg";

// The installation's own registry file; the system's outside an installation.
std::string defaultRegistryFile() {
    const std::string& prefix = ownInstallationPrefix();
    return installationConfigFolder(prefix.empty() ? "/" : prefix) + kRegistryFileInConfigFolder;
}

}  // namespace

std::unique_ptr<RegistryKeyInterface> Registry::openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                                    OsError& error) const {
    std::optional<std::string> path = environment_.variable(kRegistryFileVariable);
    if (!path || path->empty()) path = defaultRegistryFile();
    return posix::openRegistryFileKey(*path, subkey, view, error);
}

const Registry& registry() {
    static const Registry instance(environment());
    return instance;
}

}  // namespace platform
