#include "common/platform/Environment.h"

#include <cstdlib>

namespace platform {
namespace {

class ProcessEnvironment : public EnvironmentInterface {
public:
    std::optional<std::string> variable(const char* name) const override {
        const char* value = std::getenv(name);
        if (value == nullptr) return std::nullopt;
        return std::string(value);
    }
};

}  // namespace

const EnvironmentInterface& environment() {
    static ProcessEnvironment instance;
    return instance;
}

}  // namespace platform
