#pragma once
// Where the debug configuration file lies: the folder and the file.
#include <string>

#include "common/platform/KnownFolders.h"
#include "quorrel/debugconfig/StorageLocatorInterface.h"

namespace nORVMISysAPICommon100 {

class StorageLocator final : public StorageLocatorInterface {
public:
    // Throws kResourceNotFound when the system cannot tell the common application data folder.
    explicit StorageLocator(const platform::KnownFoldersInterface& folders = platform::knownFolders());

    std::string getFolder() const override { return folder_; }
    std::string getFile() const override { return file_; }

private:
    std::string folder_;
    std::string file_;
};

}  // namespace nORVMISysAPICommon100
