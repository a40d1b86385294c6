#include "quorrel/debugconfig/FileStatus.h"

#include "common/orverr/InternalError.h"
#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace nORVMISysAPICommon100 {

void raiseFileError(orverr::ErrorCode error, const char* message, const std::string& path,
                    const platform::OsError* osError, const char* file, int line) {
    orverr::Raise raise(error, file, line, ORVERR_COMPONENT);
    raise.comment(message).usage(debugconfig::kUsageTypeFilePath, path);
    if (osError != nullptr) {
        orverr::addInternalError(raise, orverr::internal_error::kApiSystem, *osError);
    }
    raise.raise();
}

}  // namespace nORVMISysAPICommon100
