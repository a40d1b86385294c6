#pragma once
// Where the debug configuration file lies (paths use "\" and are converted at the file system).
#include <string>

namespace nORVMISysAPICommon100 {

class StorageLocatorInterface {
public:
    virtual ~StorageLocatorInterface() = default;

    // <common application data>\Orvane\Shared\Quorrel
    virtual std::string getFolder() const = 0;
    // <folder>\Quorrel.config
    virtual std::string getFile() const = 0;
};

}  // namespace nORVMISysAPICommon100
