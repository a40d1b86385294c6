#include "quorrel/debugconfig/StorageLocator.h"

#include "common/orverr/InternalError.h"
#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/DebugConfigNames.h"
#include "quorrel/debugconfig/FileStatus.h"

namespace nORVMISysAPICommon100 {

namespace names = debugconfig;

StorageLocator::StorageLocator(const platform::KnownFoldersInterface& folders) {
    std::string base;
    platform::OsError error;
    if (!folders.shellFolder(platform::folder::kCommonAppData, base, error)) {
        orverr::Raise raise(orverr::codes::kResourceNotFound, __FILE__, __LINE__, ORVERR_COMPONENT);
        raise.comment(names::kShellFolderFailed);
        orverr::addInternalError(raise, orverr::internal_error::kApiHresult, error.code, nullptr);
        raise.raise();
    }
    base += names::kVendorFolder;
    folder_ = base + names::kSeparator + names::kSharedFolder + names::kSeparator + names::kProductName;
    file_ = folder_ + names::kSeparator + names::kProductName + names::kFileExtension;
}

}  // namespace nORVMISysAPICommon100
