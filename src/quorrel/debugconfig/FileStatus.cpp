#include "quorrel/debugconfig/FileStatus.h"

#include "common/orverr/Raise.h"
#include "quorrel/debugconfig/DebugConfigNames.h"

namespace nORVMISysAPICommon100 {

void raiseFileError(orverr::ErrorCode error, const char* message, const std::string& path,
                    const platform::OsError* osError, const char* file, int line) {
    orverr::Raise raise(error, file, line, ORVERR_COMPONENT);
    raise.comment(message).usage(debugconfig::kUsageTypeFilePath, path);
    if (osError != nullptr) {
        addInternalError(raise, debugconfig::kInternalErrorApi, osError->code, osError->message.c_str());
    }
    raise.raise();
}

void addInternalError(orverr::Raise& raise, const char* api, int32_t code, const char* message) {
    orverr::JsonCursor cursor = orverr::beginObject(raise.topLevel(), debugconfig::kInternalError);
    cursor = orverr::addString(cursor, "api", api);
    cursor = orverr::addInt32(cursor, "code", code);
    if (message != nullptr) orverr::addString(cursor, "string", message);
}

}  // namespace nORVMISysAPICommon100
