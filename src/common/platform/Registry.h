#pragma once
// Read access to string values under the local-machine root of the system registry, in the
// native or the 32-bit view. Key and value names compare without regard to ASCII case.
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

class EnvironmentInterface;

enum class RegistryView {
    Native,
    Registry32,  // the view a 32-bit program sees
};

// A failed registry call: the system error code (Windows numbering) and its message text.
struct RegistryError {
    uint32_t code = 0;
    std::string message;
};

class RegistryKeyInterface {
public:
    virtual ~RegistryKeyInterface() = default;  // closes the key
    // The value's data; false with error when the value is absent or not a string.
    virtual bool queryString(const std::string& valueName, std::string& value, RegistryError& error) const = 0;
};

class RegistryInterface {
public:
    virtual ~RegistryInterface() = default;
    // Opens HKEY_LOCAL_MACHINE\subkey for reading; null with error when it cannot be opened.
    virtual std::unique_ptr<RegistryKeyInterface> openLocalMachineKey(const std::string& subkey, RegistryView view,
                                                                      RegistryError& error) const = 0;
};

// The registry of this platform, located through the given environment (which must outlive it).
std::unique_ptr<RegistryInterface> makeRegistry(const EnvironmentInterface& environment);

// The process's registry.
const RegistryInterface& registry();

}  // namespace platform
