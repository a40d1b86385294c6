#include "common/platform/posix/OsErrorPosix.h"

#include <cerrno>
#include <cstring>

namespace platform::posix {

bool fail(OsError& error) {
    const int code = errno;
    char buffer[256] = {};
    error.code = code;
    error.message = ::strerror_r(code, buffer, sizeof buffer);
    error.missing = code == ENOENT;
    return false;
}

bool refuseNonRegular(const struct stat& status, OsError& error) {
    if (S_ISDIR(status.st_mode)) {
        errno = EISDIR;
        return fail(error);
    }
    // Linux has no error number of its own for this.
    error.code = EINVAL;
    error.message = "Not a regular file";
    error.missing = false;
    return false;
}

}  // namespace platform::posix
