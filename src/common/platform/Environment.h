#pragma once
// The process environment, read through one seam so that tests can supply their own.
#include <optional>
#include <string>

namespace platform {

class EnvironmentInterface {
public:
    virtual ~EnvironmentInterface() = default;
    // The variable's value; nothing when it is not set.
    virtual std::optional<std::string> variable(const char* name) const = 0;
};

// The process's environment.
const EnvironmentInterface& environment();

}  // namespace platform
