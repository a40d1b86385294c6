#pragma once
// What exit code a failure of the store is for quorrel-debugconfig.
#include <string>

#include "common/orverr/Exception.h"

namespace debugconfigtool {

// kEnvironment when the file cannot be opened, kOutputFailed when it cannot be written, else kRefused.
int exitCodeOf(const orverr::ExceptionBase& error);

}  // namespace debugconfigtool
