#pragma once
// Operating-system failures of the posix backend as OsError values.
#include <sys/stat.h>

#include "common/platform/OsError.h"

namespace platform::posix {

// The failure in errno, with the system's message; always false, for `return ok || fail(e)`.
bool fail(OsError& error);
// A folder ("Is a directory") or any other file that is not a regular one ("Not a regular
// file"), which the file services refuse before reading or writing it; always false.
bool refuseNonRegular(const struct stat& status, OsError& error);

}  // namespace platform::posix
