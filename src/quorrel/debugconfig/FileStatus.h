#pragma once
// Raising the file statuses of the lockable file.
#include <cstdint>
#include <string>

#include "common/orverr/Codes.h"
#include "common/platform/LockedFile.h"

namespace nORVMISysAPICommon100 {

// Throws error with the message and the path; an operating-system failure adds "internal_error".
[[noreturn]] void raiseFileError(orverr::ErrorCode error, const char* message, const std::string& path,
                                 const platform::OsError* osError, const char* file, int line);

}  // namespace nORVMISysAPICommon100

#define QUORREL_RAISE_FILE_ERROR(error, message, path, osError) \
    ::nORVMISysAPICommon100::raiseFileError((error), (message), (path), (osError), __FILE__, __LINE__)
