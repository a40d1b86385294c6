#include "quorrel/debugconfig/ConfigContainer.h"

namespace nORVMISysAPICommon100 {

ConfigContainer::ConfigContainer(const std::string& path, platform::LockedFileSystemInterface& system, bool create)
    : path_(path), file_(system) {
    file_.open(path_, create);
}

}  // namespace nORVMISysAPICommon100
