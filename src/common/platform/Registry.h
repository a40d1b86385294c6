#pragma once
// Read access to string values under the local-machine root of the system registry, in the
// native or the 32-bit view. Key and value names compare without regard to ASCII case.
#include <cstdint>
#include <memory>
#include <string>

#include "common/platform/OsError.h"

namespace platform {

class EnvironmentInterface;

enum class RegistryView {
    Native,
    Registry32,  // the view a 32-bit program sees
};

// Registry failures carry Windows error numbers.
class RegistryKeyInterface {
public:
    virtual ~RegistryKeyInterface() = default;  // closes the key
    // The value's data; false with error when the value is absent or not a string.
    virtual bool queryString(const std::string& valueName, std::string& value, OsError& error) const = 0;
};

// The registry of this platform, located through the given environment (which must outlive it);
// each backend defines the operation.
class Registry {
public:
    explicit Registry(const EnvironmentInterface& environment) : environment_(environment) {}
    // Opens HKEY_LOCAL_MACHINE\subkey for reading; null with error when it cannot be opened.
    std::unique_ptr<RegistryKeyInterface> openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                              OsError& error) const;

private:
    const EnvironmentInterface& environment_;
};

// The process's registry.
const Registry& registry();

}  // namespace platform
