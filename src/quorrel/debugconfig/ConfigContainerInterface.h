#pragma once
// The opened debug configuration file.
#include <string>

namespace nORVMISysAPICommon100 {

class ConfigContainerInterface {
public:
    virtual ~ConfigContainerInterface() = default;

    virtual void lock() = 0;
    virtual void unlock() = 0;
    virtual std::string read() = 0;
    virtual void write(const std::string& text) = 0;
    // The file's path, for error details.
    virtual std::string path() const = 0;
};

}  // namespace nORVMISysAPICommon100
