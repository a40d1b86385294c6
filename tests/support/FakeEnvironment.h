#pragma once
// An environment whose variables a test sets.
#include <map>
#include <string>

#include "common/platform/Environment.h"

namespace testing_support {

class FakeEnvironment : public platform::EnvironmentInterface {
public:
    std::optional<std::string> variable(const char* name) const override {
        auto found = values.find(name);
        if (found == values.end()) return std::nullopt;
        return found->second;
    }
    std::map<std::string, std::string> values;
};

}  // namespace testing_support
